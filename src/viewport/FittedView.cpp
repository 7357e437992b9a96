#include "FittedView.h"

#include "PictureLoader.h"
#include "ViewGeometry.h"

#include <QFile>

#include <sys/stat.h>

FileStamp FileStampOf(const QString& path)
{
    struct stat status { };
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return {};
    return { qint64(status.st_dev), qint64(status.st_ino), qint64(status.st_size),
        qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec };
}

bool FittedView::ShowsFileIn(const QString& path, QSize box) const
{
    return !Pixels.isNull() && Path == path
        && Pixels.size() == DecoderReduction(Natural, FitSize(QSizeF(Natural), QSizeF(box))) && Stamp.IsValid()
        && Stamp == FileStampOf(path);
}

FittedView ReadFittedView(const QString& path, QSize box)
{
    FittedView view { path, FileStampOf(path), {}, {} };
    const PictureHeader header = ReadPictureHeader(path);
    if (header.DecodesReduced && header.Size.isValid()
        && DecoderReduction(header.Size, FitSize(QSizeF(header.Size), QSizeF(box))).isValid())
        view.Natural = header.Size;
    return view;
}

void DecodeFittedView(FittedView& view, QSize box)
{
    view.Pixels = LoadPicture(
        view.Path, DecoderReduction(view.Natural, FitSize(QSizeF(view.Natural), QSizeF(box))), Qt::IgnoreAspectRatio);
}
