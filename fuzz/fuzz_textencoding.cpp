// Any bytes as the text of a group file: the text read is all of them, so
// that the bytes come back when it is written in the encoding it was read
// in (UTF-8 when the bytes are valid UTF-8, Windows-1252 otherwise).
#include "FuzzCheck.h"
#include "document/TextEncoding.h"

#include <QByteArrayView>
#include <QStringEncoder>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = DecodeGroupText(bytes);
    if (QByteArrayView(bytes).isValidUtf8()) {
        FUZZ_REQUIRE(text.toUtf8() == bytes);
        return 0;
    }
    // Qt's own converter is the reference for Windows-1252.
    QStringEncoder windows1252("windows-1252");
    FUZZ_REQUIRE(windows1252.isValid());
    const QByteArray encoded = windows1252.encode(text);
    FUZZ_REQUIRE(!windows1252.hasError());
    FUZZ_REQUIRE(encoded == bytes);
    return 0;
}
