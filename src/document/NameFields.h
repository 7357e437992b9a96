#pragma once

#include <QString>

#include <array>

// The four name fields of a group: file name, category, type and ID.
using NameFieldTexts = std::array<QString, 4>;

// The name fields filled from a group file's name: its "-"-separated parts,
// one per field (empty parts included). The fourth field takes whatever is
// left, joined again with "-", so that the proposed save name rebuilds the
// file's name.
[[nodiscard]] NameFieldTexts NameFieldsFromFileName(const QString& name);

// The proposed name of a group file: the name fields joined by "-", ending
// before the first empty field.
[[nodiscard]] QString ProposedFileName(const NameFieldTexts& fields);
