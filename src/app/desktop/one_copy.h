// The desktop game's one-copy rule at start: the lock on the game folder,
// and what a second start tells the player.
#pragma once

#include <string>

#include "platform/posix/instance_lock.h"

namespace rara3 {

// Takes the lock on gameDir. False when another copy of this user runs on
// the same folder: its window was asked to come forward, and the player was
// told (standard error, and a message box when the window could not be
// raised). A lock that cannot be had at all is reported and the game runs
// without it.
bool TakeOneCopyLock(const std::string& gameDir, InstanceLock& lock);

}  // namespace rara3
