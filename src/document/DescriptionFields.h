#pragma once

#include "NameFields.h"

#include <QColor>
#include <QObject>

#include <array>

class QLineEdit;
class QWidget;

// The four name fields (txtWord 0 to 3: "File Name", "Category", "Type",
// "ID") with their labels, placed on the window: the first at the top left,
// the others in the "Description" panel. Enter moves on to the next field,
// from the last back to the first.
class DescriptionFields : public QObject {
    Q_OBJECT

public:
    explicit DescriptionFields(QWidget* screen);

    [[nodiscard]] NameFieldTexts Texts() const;
    void SetTexts(const NameFieldTexts& texts);
    void Clear();
    // The file name field gets the focus.
    void FocusFileName();
    // The background of the four fields; the text takes black or white,
    // whichever reads on it.
    void SetFieldColor(const QColor& color);
    [[nodiscard]] QColor FieldColor() const { return m_fieldColor; }

signals:
    // An edit of a field was finished: Enter, or the focus moved on.
    void Edited();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void txtWord_KeyDown(int index, int key);

    std::array<QLineEdit*, 4> txtWord {};
    QColor m_fieldColor = Qt::white;
};
