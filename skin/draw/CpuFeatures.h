#pragma once
// What the processor offers the blend kernels, asked once.

// True when the processor runs AVX2 instructions (always false off x86-64).
bool CpuHasAvx2();
