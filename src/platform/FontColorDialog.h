#pragma once

#include "CommonDialog.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLabel;

// The font dialog of the common dialog: font, style and size, with the
// effects strikeout, underline and text colour, and a sample of the result.
// Qt's own font dialog offers no colour, so the program has its own.
class FontColorDialog : public QDialog {
    Q_OBJECT

public:
    explicit FontColorDialog(const FontChoice& initial, QWidget* parent = nullptr);

    [[nodiscard]] FontChoice Choice() const;

private:
    void ShowSample();

    QFontComboBox* FontName = nullptr;
    QComboBox* FontStyle = nullptr;
    QComboBox* FontSize = nullptr;
    QCheckBox* Strikeout = nullptr;
    QCheckBox* Underline = nullptr;
    QComboBox* FontColor = nullptr;
    QLabel* Sample = nullptr;
};
