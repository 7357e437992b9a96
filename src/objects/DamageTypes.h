#pragma once

#include <QString>

#include <array>

// The ten damage types. A type's number is its toolbar button's index and
// the number stored in a marker's record; there is no type 9.
struct DamageType {
    int Number;
    const char* Name;
    int TopTwips; // the button's top inside the toolbar panel
};

inline constexpr std::array<DamageType, 10> DamageTypes = { {
    { 0, "Ding", 120 },
    { 1, "Dent", 480 },
    { 2, "Rust", 840 },
    { 3, "Scratch", 1200 },
    { 4, "Stain", 1680 },
    { 5, "Tear", 2040 },
    { 6, "Cig Burn", 2400 },
    { 7, "Mechanical Damage", 2880 },
    { 8, "Electrical Damage", 3240 },
    { 10, "General Damage", 3600 },
} };

// The damage type with a number, or nullptr when no type has it.
[[nodiscard]] constexpr const DamageType* FindDamageType(int number)
{
    for (const DamageType& type : DamageTypes) {
        if (type.Number == number)
            return &type;
    }
    return nullptr;
}

// The resource of a damage type's picture.
[[nodiscard]] inline QString DamagePicture(int number)
{
    return QStringLiteral(":/artwork/damage-%1.svg").arg(number);
}
