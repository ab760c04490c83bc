// What the processor offers beyond the baseline the library is compiled for.
#pragma once

namespace tyx12::detail {

bool hasAvx2();
// AVX-512 with byte compression (VBMI2).
bool hasAvx512Compress();

}  // namespace tyx12::detail
