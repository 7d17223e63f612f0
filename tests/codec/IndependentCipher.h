#pragma once

// A second, deliberately naive reading of the encrypted file format, written
// from its description alone and sharing nothing with the codec: every
// 1024-byte page one XXTEA block under the MD5 digest of the password bytes.

#include <cstdint>
#include <string>
#include <vector>

namespace torvik::test {

using Words = std::vector<std::uint32_t>;

void referenceEncipher(Words &v, const std::uint32_t key[4]);
void referenceDecipher(Words &v, const std::uint32_t key[4]);
void md5Key(const std::string &password, std::uint32_t key[4]);

// The whole file, page by page.
std::string decipherFile(const std::string &file, const std::string &password, int pageSize = 1024);
std::string encipherFile(const std::string &file, const std::string &password, int pageSize = 1024);

} // namespace torvik::test
