// Any text as an object list: the records, their count and their costs
// agree, and every record that reads as a marker, once written and read
// again, is the same marker. Its ratios are written with seven significant
// digits, as the format has them: they come back within that precision, and
// written once more they give the very same text. Every field reads as a
// number exactly as the locale's reading has it.
#include "FuzzCheck.h"
#include "common/NumberText.h"
#include "common/UserError.h"
#include "objects/ObjectList.h"

#include <QLocale>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

bool SameCost(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

bool Near(float a, float b)
{
    return std::abs(double(a) - double(b)) <= 1e-6 * std::abs(double(a));
}

bool NearPlacement(const ObjectPlacement& a, const ObjectPlacement& b)
{
    return Near(a.LeftRatio, b.LeftRatio) && Near(a.TopRatio, b.TopRatio) && Near(a.WidthRatio, b.WidthRatio)
        && Near(a.HeightRatio, b.HeightRatio);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString list = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<QStringView> records = SplitRecords(list);
    FUZZ_REQUIRE(records.size() == CountRecords(list));
    FUZZ_REQUIRE(list.endsWith(UnterminatedText(list)));
    double total = 0.0;
    for (QStringView record : records)
        total += RecordCost(record);
    FUZZ_REQUIRE(SameCost(total, ListCost(list)));

    for (QStringView record : records) {
        // Every field reads as the locale reads it, to the last bit.
        for (QStringView field : record.split(u';')) {
            bool read = false;
            const float locale = QLocale::c().toFloat(field.trimmed(), &read);
            const std::optional<float> value = SingleValue(field);
            FUZZ_REQUIRE(value.has_value() == (read && std::isfinite(locale)));
            FUZZ_REQUIRE(!value || std::memcmp(&*value, &locale, sizeof locale) == 0);
        }
        ObjectRecord marker;
        try {
            marker = ParseRecord(record);
        } catch (const UserError&) {
            continue; // not a marker: kept as text, said why
        }
        FUZZ_REQUIRE(marker.Detail == DetailOf(record));
        const std::optional<ObjectRecord> drawable = DrawableRecord(record);
        FUZZ_REQUIRE(drawable && drawable->Placement == marker.Placement);

        const QString written = FormatRecord(QString::number(marker.DamageType), marker.Placement, marker.Detail);
        FUZZ_REQUIRE(written.endsWith(u','));
        const ObjectRecord back = ParseRecord(QStringView(written).chopped(1));
        FUZZ_REQUIRE(back.DamageType == marker.DamageType);
        FUZZ_REQUIRE(NearPlacement(back.Placement, marker.Placement));
        FUZZ_REQUIRE(back.Detail == marker.Detail);
        FUZZ_REQUIRE(FormatRecord(QString::number(back.DamageType), back.Placement, back.Detail) == written);
        FUZZ_REQUIRE(SameCost(RecordCost(QStringView(written).chopped(1)), RecordCost(record)));
    }
    return 0;
}
