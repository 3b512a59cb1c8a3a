#pragma once
#include <string_view>

namespace velnor {

// True when a name or path that came back from the file system's ANSI
// interface cannot be handed back to it as the file it came from, so that the
// program must neither list it, enter it, delete it nor give it to the shell:
// - `?` stands where a character has no form in the code page (where the code
//   page is not UTF-8), and no Windows name can hold `?` or `*`, which the
//   shell's delete would take for wildcards;
// - U+FFFD (the bytes EF BF BD) stands where a name held an unpaired
//   surrogate, which UTF-8 cannot carry; handed back, the text would name
//   another file or none.
bool NamesNoFile(std::string_view name);

}  // namespace velnor
