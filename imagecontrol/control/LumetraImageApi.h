#pragma once
// Marks the classes of the control library that other binaries (the tests)
// reach directly, besides the factory CreateImageCoreInstance. The project
// builds with hidden visibility, and on ELF a reference compiled as hidden
// cannot bind to a symbol of a shared library, so the library and its users
// both see these classes with default visibility.

#define LUMETRAIMAGE_API __attribute__((visibility("default")))
