// What the program was started as, on the layers that stand in for the
// window calls: it stands where the module handle stands.
#pragma once

namespace zephlet {

using InstanceHandle = const char*;

}  // namespace zephlet
