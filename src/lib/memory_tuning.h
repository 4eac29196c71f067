#pragma once

namespace tes {

// Has the allocator give every block of 4 MB or more back to the system as soon as it is freed. The
// lists of a big project are freed and replaced as a whole (a new project, a new script, the view's
// row positions as they grow); without this the allocator may keep the freed blocks for later, and
// the program holds memory that no list uses. Call it first thing in main(); where the allocator has
// no such setting it does nothing.
void ReturnLargeBlocksPromptly();

} // namespace tes
