// What the processor offers beyond the baseline the library is compiled for.
#pragma once

namespace tyx12::detail {

bool hasAvx2();

}  // namespace tyx12::detail
