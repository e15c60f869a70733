// The message side of the browser layer: the page's events as the window
// procedure's messages, waiting in a queue until the frame loop takes them
// one at a time.
#pragma once

namespace zephlet {

// Listens to the keys anywhere on the page, to the fingers on its arrow pad,
// to its view control and to its being hidden and shown again.
void listenToPage();

}  // namespace zephlet
