#include "support/TestPaths.h"

namespace stonewise::test {

std::string corpusDir() { return STONEWISE_CORPUS_DIR; }
std::string testDataDir() { return STONEWISE_TEST_DATA_DIR; }

} // namespace stonewise::test
