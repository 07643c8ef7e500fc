#include "services/program_record.h"

TProgInfo ProgInfo;
std::string ParamLine;
bool StartingUp = true;
