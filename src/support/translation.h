#pragma once

#include <string>

// Translates one German program text into the interface language. The language
// list installs its lookup here; until it does, texts come back as written.
using ProgramTextTranslator = std::string (*)(const std::string& text);

// Installs the lookup (nullptr restores the identity) and returns the previous one.
ProgramTextTranslator SetProgramTextTranslator(ProgramTextTranslator translator);

std::string TranslateProgramText(const std::string& text);
