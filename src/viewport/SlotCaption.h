#pragma once

#include <QLabel>
#include <QString>

// The caption under a thumbnail (LbFileName): the picture's name, or
// "Pic n" for an empty slot. Its tag is the slot's object list.
class SlotCaption : public QLabel {
    Q_OBJECT

public:
    explicit SlotCaption(QWidget* parent = nullptr);

    QString Tag;
};
