#pragma once

namespace corvane {

// Registers the compiled-in artwork (":/corvane/..."); safe to call repeatedly.
void InitResources();

} // namespace corvane
