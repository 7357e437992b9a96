#pragma once

#include <QLabel>
#include <QString>

// The caption under a thumbnail (LbFileName): the picture's name, or
// "Pic n" for an empty slot. Its tag is the slot's object list.
//
// A caption too long for its place is shown shortened in the middle with
// "…" and carries the whole caption as its tool tip; text() is always the
// whole caption.
class SlotCaption : public QLabel {
    Q_OBJECT

public:
    explicit SlotCaption(QWidget* parent = nullptr);

    void SetCaption(const QString& caption);
    // The colour of the caption's text; white until one is chosen.
    void SetTextColor(const QColor& color);

    QString Tag;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QColor m_textColor = Qt::white;

    [[nodiscard]] QString ShownText() const;
    void UpdateToolTip();
};
