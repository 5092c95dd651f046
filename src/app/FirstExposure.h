#pragma once

#include <functional>

class QWidget;

namespace lumetra {

// Runs `step` once, on the event loop's turn after `window` was first shown on screen: start-up
// work that need not hold up the first picture of the window goes here.
void runAfterFirstExposure(QWidget &window, std::function<void()> step);

} // namespace lumetra
