// What zeltfw.exe takes from the C++ runtime, without its exception machinery.
// The program throws and catches nothing and is built with -fno-exceptions;
// libstdc++'s own copies of the pieces below are built with exceptions and
// would each bring the unwinder, the verbose terminate handler and its
// demangler. (The strings' members: implicit_strings.h.) Linked into
// zeltfw.exe only: the tests and tools keep the library's throwing versions.
//
// A failure that would throw ends the program as the uncaught exception did
// (std::terminate ends in abort), just without the message on stderr, which a
// GUI program has nowhere to show.
#include <cstdlib>
#include <new>

// Called by the containers' and strings' checks (length, range, allocation).
namespace std {
void __throw_bad_exception() { std::abort(); }
void __throw_bad_alloc() { std::abort(); }
void __throw_bad_array_new_length() { std::abort(); }
void __throw_bad_cast() { std::abort(); }
void __throw_bad_typeid() { std::abort(); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_domain_error(const char*) { std::abort(); }
void __throw_invalid_argument(const char*) { std::abort(); }
void __throw_length_error(const char*) { std::abort(); }
void __throw_out_of_range(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
void __throw_runtime_error(const char*) { std::abort(); }
void __throw_range_error(const char*) { std::abort(); }
void __throw_overflow_error(const char*) { std::abort(); }
void __throw_underflow_error(const char*) { std::abort(); }
}  // namespace std

// The global allocation functions (replaceable by the program): malloc and
// free, as the library's are, and no bad_alloc to throw when memory runs out.
void* operator new(std::size_t size) {
  void* block = std::malloc(size != 0 ? size : 1);
  if (block == nullptr) std::abort();
  return block;
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size != 0 ? size : 1); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size != 0 ? size : 1); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
