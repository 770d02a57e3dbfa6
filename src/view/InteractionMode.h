#pragma once

namespace kesmar {

// What a mouse gesture on the chart view is doing.
enum class InteractionMode : int {
    Normal = 0,
    ZoomDrag = 1,       // left-button drag of a zoom rectangle
    MiniWindowDrag = 2, // right-button drag of a mini-window rectangle
    JustActivated = 3,  // the next left click only ends this state
};

} // namespace kesmar
