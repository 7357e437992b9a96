#include "FontColorDialog.h"

#include "common/ProductTitle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleValidator>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPixmap>
#include <QVBoxLayout>

#include <array>

namespace {

// The sixteen colours a font dialog offers for text.
struct NamedColor {
    const char* Name;
    QRgb Rgb;
};
constexpr std::array<NamedColor, 16> TextColors = { {
    { "Black", 0x000000 },
    { "Maroon", 0x800000 },
    { "Green", 0x008000 },
    { "Olive", 0x808000 },
    { "Navy", 0x000080 },
    { "Purple", 0x800080 },
    { "Teal", 0x008080 },
    { "Gray", 0x808080 },
    { "Silver", 0xc0c0c0 },
    { "Red", 0xff0000 },
    { "Lime", 0x00ff00 },
    { "Yellow", 0xffff00 },
    { "Blue", 0x0000ff },
    { "Fuchsia", 0xff00ff },
    { "Aqua", 0x00ffff },
    { "White", 0xffffff },
} };

// The styles in the order the list shows them: bold is bit 1, italic bit 0.
const std::array<const char*, 4> Styles = { "Regular", "Italic", "Bold", "Bold Italic" };

const std::array<int, 16> Sizes = { 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72 };

QIcon Swatch(const QColor& color)
{
    QPixmap swatch(16, 12);
    swatch.fill(color);
    return QIcon(swatch);
}

// "8.25" and "10" as the size box shows them: "." whatever the locale.
QString SizeText(double points)
{
    return QString::number(points);
}

} // namespace

FontColorDialog::FontColorDialog(const FontChoice& initial, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(DialogTitle(QStringLiteral("Font")));
    setObjectName(QStringLiteral("FontDialog"));

    FontName = new QFontComboBox(this);
    FontName->setObjectName(QStringLiteral("FontName"));
    FontName->setEditable(true);
    FontStyle = new QComboBox(this);
    FontStyle->setObjectName(QStringLiteral("FontStyle"));
    for (const char* style : Styles)
        FontStyle->addItem(QString::fromLatin1(style));
    FontSize = new QComboBox(this);
    FontSize->setObjectName(QStringLiteral("FontSize"));
    FontSize->setEditable(true);
    for (int size : Sizes)
        FontSize->addItem(QString::number(size));
    auto* sizeValidator = new QDoubleValidator(1, 1638, 2, FontSize);
    sizeValidator->setLocale(QLocale::c());
    FontSize->setValidator(sizeValidator);

    Strikeout = new QCheckBox(QStringLiteral("Stri&keout"), this);
    Strikeout->setObjectName(QStringLiteral("Strikeout"));
    Underline = new QCheckBox(QStringLiteral("&Underline"), this);
    Underline->setObjectName(QStringLiteral("Underline"));
    FontColor = new QComboBox(this);
    FontColor->setObjectName(QStringLiteral("FontColor"));
    for (const NamedColor& named : TextColors)
        FontColor->addItem(Swatch(QColor(named.Rgb)), QString::fromLatin1(named.Name), QColor(named.Rgb));

    Sample = new QLabel(QStringLiteral("AaBbYyZz"), this);
    Sample->setObjectName(QStringLiteral("Sample"));
    Sample->setAlignment(Qt::AlignCenter);
    Sample->setMinimumSize(220, 60);
    Sample->setAutoFillBackground(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Font:"), FontName);
    form->addRow(QStringLiteral("Font st&yle:"), FontStyle);
    form->addRow(QStringLiteral("&Size:"), FontSize);
    auto* effects = new QGroupBox(QStringLiteral("Effects"), this);
    auto* effectsForm = new QFormLayout(effects);
    effectsForm->addRow(Strikeout);
    effectsForm->addRow(Underline);
    effectsForm->addRow(QStringLiteral("&Color:"), FontColor);
    auto* sampleBox = new QGroupBox(QStringLiteral("Sample"), this);
    (new QVBoxLayout(sampleBox))->addWidget(Sample);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(effects);
    layout->addWidget(sampleBox);
    layout->addWidget(buttons);

    // The starting values, then the sample follows every change.
    FontName->setCurrentFont(initial.Font);
    FontName->setEditText(initial.Font.family());
    FontStyle->setCurrentIndex((initial.Font.bold() ? 2 : 0) + (initial.Font.italic() ? 1 : 0));
    FontSize->setEditText(SizeText(initial.Font.pointSizeF() > 0 ? initial.Font.pointSizeF() : 8.25));
    Strikeout->setChecked(initial.Strikeout);
    Underline->setChecked(initial.Font.underline());
    int colorIndex = FontColor->findData(initial.Color.isValid() ? initial.Color : QColor(Qt::black));
    if (colorIndex < 0) {
        FontColor->addItem(Swatch(initial.Color), QStringLiteral("Custom"), initial.Color);
        colorIndex = FontColor->count() - 1;
    }
    FontColor->setCurrentIndex(colorIndex);
    connect(FontName, &QComboBox::currentTextChanged, this, &FontColorDialog::ShowSample);
    connect(FontStyle, &QComboBox::currentIndexChanged, this, &FontColorDialog::ShowSample);
    connect(FontSize, &QComboBox::currentTextChanged, this, &FontColorDialog::ShowSample);
    connect(Strikeout, &QCheckBox::toggled, this, &FontColorDialog::ShowSample);
    connect(Underline, &QCheckBox::toggled, this, &FontColorDialog::ShowSample);
    connect(FontColor, &QComboBox::currentIndexChanged, this, &FontColorDialog::ShowSample);
    ShowSample();
}

FontChoice FontColorDialog::Choice() const
{
    QFont font(FontName->currentText().trimmed());
    bool isNumber = false;
    const double size = QLocale::c().toDouble(FontSize->currentText().trimmed(), &isNumber);
    font.setPointSizeF(isNumber && size > 0 ? size : 8.25);
    font.setBold(FontStyle->currentIndex() >= 2);
    font.setItalic(FontStyle->currentIndex() % 2 == 1);
    font.setUnderline(Underline->isChecked());
    font.setStrikeOut(Strikeout->isChecked());
    return { font, FontColor->currentData().value<QColor>(), Strikeout->isChecked() };
}

void FontColorDialog::ShowSample()
{
    const FontChoice choice = Choice();
    Sample->setFont(choice.Font);
    QPalette palette = Sample->palette();
    palette.setColor(QPalette::WindowText, choice.Color);
    palette.setColor(QPalette::Window, choice.Color.lightness() > 200 ? QColor(Qt::darkGray) : QColor(Qt::white));
    Sample->setPalette(palette);
}
