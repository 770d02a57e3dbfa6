#pragma once

namespace kesmar {

// Goes 0 -> 1 -> 2 once per run. The chart view acts on resizes only when
// Running: before its start-up the viewport has no world scale to keep.
enum class StartupPhase : int {
    BeforeViewStart = 0,
    ViewStarting = 1,
    Running = 2,
};

} // namespace kesmar
