// Any bytes as a group file: reading never crashes, and what is read, once
// written and read again, is the same group, written the same way again.
#include "FuzzCheck.h"
#include "common/UserError.h"
#include "document/GroupFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    GroupFileContent first;
    try {
        first = ParseGroupFile(bytes);
    } catch (const UserError&) {
        return 0; // damaged: refused with a reason
    }
    if (!first.HasValidMagic()) {
        FUZZ_REQUIRE(first.Pictures.isEmpty() && first.KeptLines.isEmpty());
        return 0;
    }
    FUZZ_REQUIRE(first.Pictures.size() <= GroupSlotCount);
    FUZZ_REQUIRE(first.NamedPictures >= first.Pictures.size());
    QByteArray written;
    try {
        written = FormatGroupFile(first.CarValue, first.Pictures, first.KeptLines);
    } catch (const UserError&) {
        return 0; // a double quote the format cannot hold
    }
    const GroupFileContent second = ParseGroupFile(written);
    FUZZ_REQUIRE(second.HasValidMagic());
    FUZZ_REQUIRE(second.CarValue == first.CarValue);
    FUZZ_REQUIRE(second.Pictures == first.Pictures);
    FUZZ_REQUIRE(second.KeptLines == first.KeptLines);
    FUZZ_REQUIRE(FormatGroupFile(second.CarValue, second.Pictures, second.KeptLines) == written);
    return 0;
}
