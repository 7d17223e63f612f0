#pragma once

namespace torvik::ui {

// Routes the dataset layer's user-facing hooks into the windows: its message
// boxes into the modal seam, its unthrowable errors into the general error
// handler, its busy state into the wait cursor. Run once at start-up (and by
// window tests that exercise those paths).
void installDatasetHooks();

} // namespace torvik::ui
