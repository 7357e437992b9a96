// Any text as a stored setting, read as a whole number in any range and as
// a colour: a value read is in its range, and written back as the program
// writes it, it reads as the same value.
#include "FuzzCheck.h"
#include "document/ColorSettings.h"
#include "document/StoredValues.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The first eight bytes choose the range, the rest is the text.
    qint32 lowest = 0;
    qint32 highest = 0;
    if (size < sizeof lowest + sizeof highest)
        return 0;
    std::memcpy(&lowest, data, sizeof lowest);
    std::memcpy(&highest, data + sizeof lowest, sizeof highest);
    const std::size_t skip = sizeof lowest + sizeof highest;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + skip), qsizetype(size - skip));

    const std::optional<int> value = StoredInt(text, lowest, highest);
    if (value) {
        FUZZ_REQUIRE(lowest <= *value && *value <= highest);
        FUZZ_REQUIRE(StoredInt(QString::number(*value), lowest, highest) == value);
    }

    const std::optional<QColor> color = StoredColor(text);
    const std::optional<int> colorValue = StoredInt(text, 0, 0xFFFFFF);
    FUZZ_REQUIRE(color.has_value() == colorValue.has_value());
    if (color) {
        FUZZ_REQUIRE(color->isValid());
        FUZZ_REQUIRE(ColorValue(*color) == quint32(*colorValue));
        FUZZ_REQUIRE(StoredColor(QString::number(ColorValue(*color))) == color);
    }
    return 0;
}
