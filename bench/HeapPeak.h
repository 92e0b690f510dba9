#pragma once
// The heap the program holds, counted at every operator new and delete of this executable (the
// sizes malloc actually handed out), and its highest point since the last reset. Memory taken
// with malloc directly (iconv's state, say) is not counted.

#include <cstddef>

namespace tabora::bench {

size_t HeapInUse();
// The highest HeapInUse since the last call to ResetHeapPeak.
size_t HeapPeak();
void ResetHeapPeak();

}  // namespace tabora::bench
