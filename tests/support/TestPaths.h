#pragma once

#include <string>

namespace stonewise::test {

// The folder of third-party game records beside the repository.
std::string corpusDir();
// The folder of the tests' own small fixtures.
std::string testDataDir();

} // namespace stonewise::test
