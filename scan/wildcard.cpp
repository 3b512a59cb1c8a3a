#include "scan/wildcard.h"

namespace velnor {

// Placeholder until the matcher lands.
bool MatchWildcard(const char* text, const char* pattern) { return false; }
int FindSegment(const char* text, const char* segment, int start) { return -1; }

}  // namespace velnor
