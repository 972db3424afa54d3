#include "script/script_run.h"

namespace vuzed {

void TScriptRun::RunNovel() {}
void TScriptRun::RunAdv() {}

}  // namespace vuzed
