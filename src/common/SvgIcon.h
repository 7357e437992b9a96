#pragma once

#include <QIcon>
#include <QSize>
#include <QString>

// An icon drawn from a vector picture at a size, sharp on ordinary and on
// high-density screens.
[[nodiscard]] QIcon SvgIcon(const QString& resource, QSize size);
