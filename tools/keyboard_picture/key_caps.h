#pragma once

#include <QString>

#include <string>

// What is printed on a key cap, worked out from the key's name in the key list.
struct KeyCap {
    enum class Kind {
        Blank,     // nothing printed (space bar)
        Letter,    // one large character in the middle
        Pair,      // shifted character above, plain one below, both on the left
        Word,      // a short word or symbol in the middle, made smaller to fit
        NumberPad, // digit above, its cursor function below
        SystemKey, // the system key's window symbol
        MenuKey,   // the menu key's list symbol
    };

    Kind kind = Kind::Word;
    QString main;          // Letter, Word, NumberPad digit, Pair's lower character
    QString secondary;     // Pair's upper character, NumberPad function, second line of a Word
    bool function = false; // printed on the darker caps of the function and control keys
};

// The cap for a key name (Windows-1252); an unknown name is printed as it stands.
KeyCap CapForKey(const std::string& name);
