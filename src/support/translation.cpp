#include "support/translation.h"

namespace {
ProgramTextTranslator currentTranslator = nullptr;
}

ProgramTextTranslator SetProgramTextTranslator(ProgramTextTranslator translator)
{
    const ProgramTextTranslator previous = currentTranslator;
    currentTranslator = translator;
    return previous;
}

std::string TranslateProgramText(const std::string& text)
{
    return currentTranslator ? currentTranslator(text) : text;
}
