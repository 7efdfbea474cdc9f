// The standard file services meet the file services' contract.
#include "platform/stdfilesystem.h"

#include "support/filesystemcontract.h"

namespace quorel::test {

INSTANTIATE_TYPED_TEST_SUITE_P(Std, FileSystemContract, platform::TStdFileSystem);

}  // namespace quorel::test
