#include "ColorSettings.h"

namespace {

// Everything the program knows of each colour, in one place.
struct ColorFacts {
    const char16_t* Key;
    const char16_t* DialogTitle;
    quint32 Design;
    std::optional<quint32> Default;
};

constexpr quint32 Black = 0x000000;
constexpr quint32 White = 0xFFFFFF;
constexpr quint32 Red = 0x0000FF;
constexpr quint32 DarkGrey = 0x404040;

constexpr std::array<ColorFacts, 5> Facts { {
    { u"Screen", u"Screen Color", Black, Black },
    { u"ClipBorder", u"Outline/Border Color", White, White },
    { u"ActiveBorder", u"ActiveBorder Color", Red, Red },
    { u"Toolbar", u"Toolbar Color", DarkGrey, DarkGrey },
    { u"FileBox", u"File Name Box Color", White, std::nullopt },
} };

const ColorFacts& FactsOf(ColorSetting setting)
{
    return Facts.at(std::size_t(setting));
}

} // namespace

quint32 ColorValue(const QColor& color)
{
    if (!color.isValid())
        return Black;
    const QRgb rgb = color.rgb();
    return quint32(qRed(rgb)) | (quint32(qGreen(rgb)) << 8) | (quint32(qBlue(rgb)) << 16);
}

QColor ColorFromValue(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QString ColorKey(ColorSetting setting)
{
    return QString::fromUtf16(FactsOf(setting).Key);
}

QString ColorDialogTitle(ColorSetting setting)
{
    return QString::fromUtf16(FactsOf(setting).DialogTitle);
}

quint32 DesignColorValue(ColorSetting setting)
{
    return FactsOf(setting).Design;
}

std::optional<quint32> DefaultColorValue(ColorSetting setting)
{
    return FactsOf(setting).Default;
}
