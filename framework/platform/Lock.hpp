#pragma once
// The native recursive lock behind the framework's critical section.

namespace Vantor::Platform
{

// Opaque native lock; re-entrant for the thread that holds it.
struct NativeLock;

// Creates an unlocked lock; null when the system refuses.
NativeLock* createLock();

// Destroys a lock made by createLock(); null is ignored.
void destroyLock(NativeLock* lock);

// Blocks until the calling thread holds the lock.
void enterLock(NativeLock* lock);

// Takes the lock if it is free or already held by the calling thread;
// never waits. Answers whether the lock is now held.
bool tryEnterLock(NativeLock* lock);

// Releases one level of ownership held by the calling thread.
void leaveLock(NativeLock* lock);

} // namespace Vantor::Platform
