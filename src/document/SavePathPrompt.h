#pragma once

#include "NameFields.h"
#include "platform/Platform.h"

#include <QString>

// The path to save an untitled group to, asked of the user in the Save
// dialog, which proposes the name fields joined by "-" in a folder. A name
// given without the ".grp" extension gets it, and replacing an existing file
// of that name is asked about. Empty when the user gave no path.
[[nodiscard]] QString AskSavePath(const Platform& platform, const NameFieldTexts& names, const QString& folder);
