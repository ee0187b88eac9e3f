// Makes a new object take a freed one's address every time, as a heap may do now and then: while an
// AddressReuse lives, the memory of the object it names is kept when that object goes and handed to
// the next allocation of the given size. It replaces the global operator new and delete of the test
// program that links it.
#pragma once

#include <cstddef>

class AddressReuse {
public:
    AddressReuse(void* object, std::size_t size);
    // Frees the kept memory when no allocation took it.
    ~AddressReuse();
    AddressReuse(const AddressReuse&) = delete;
    AddressReuse& operator=(const AddressReuse&) = delete;
};
