#pragma once

// Exceptions of the data model and the plugin framework. They are thrown by value and caught as
// generalException; both texts are string literals of the program, so throwing allocates nothing
// and works when memory is exhausted. Catchers show `where` as a box's text and `message` as its
// caption.
class generalException
{
public:
    generalException(const char* message, const char* where) noexcept : message(message), where(where) {}

    const char* message; // names the kind of failure
    const char* where; // names the function that threw
};

class Exc_OutOfMemory : public generalException
{
public:
    explicit Exc_OutOfMemory(const char* where) noexcept : generalException("Out of Memory", where) {}
};

class Exc_InternalError : public generalException
{
public:
    explicit Exc_InternalError(const char* where) noexcept : generalException("Internal Error", where) {}
};

class Exc_BlockListIndexOutOfRange : public generalException
{
public:
    explicit Exc_BlockListIndexOutOfRange(const char* where) noexcept
        : generalException("BlockList Index out of range", where)
    {
    }
};

class Exc_BlockListAlienItem : public generalException
{
public:
    explicit Exc_BlockListAlienItem(const char* where) noexcept : generalException("BlockList Alien Item", where) {}
};
