#pragma once

#include "platform/Platform.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class QWidget;
class ThumbnailStrip;

// Pictures into the slots: chosen in the Import dialog, one or several, or
// dropped on a thumbnail or the picture area. A group file dropped anywhere
// on the window is handed on to be opened.
class PictureImport : public QObject {
    Q_OBJECT

public:
    // The window, its thumbnails and the picture area take drops from now on.
    PictureImport(QWidget& window, ThumbnailStrip& strip, QWidget& picArea, Platform platform, QString& lastFolder,
        std::function<int()> currentSlot);

    // "Import Image": the pictures chosen go into the start slot and the
    // empty slots after it.
    void ImportImage(int start);

signals:
    // Pictures went into slots, with their thumbnails: the group has changed.
    void Imported(const QHash<int, QImage>& thumbnails);
    // A group file was dropped, to be opened as "Open File.." opens one.
    void GroupDropped(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Files dropped on a slot: pictures go in as Import Image puts them, a
    // group file is handed on, anything else is refused with the reason.
    void DropFiles(int slot, const QList<QUrl>& files);
    void Place(int start, const QStringList& paths);

    ThumbnailStrip& m_strip;
    Platform m_platform;
    QString& m_lastFolder;
    std::function<int()> m_currentSlot;
    // The slot each drop target fills; the picture area fills the current
    // one, the rest of the window none.
    QHash<QObject*, int> m_slots;
};
