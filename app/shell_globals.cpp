#include "app/shell_globals.h"

namespace zephlet {

InstanceHandle appInstance = nullptr;
bool quitRequested = false;

}  // namespace zephlet
