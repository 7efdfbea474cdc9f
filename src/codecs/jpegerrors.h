// libjpeg's errors end the program by default. The readers here make them jump back out of
// libjpeg instead (to a setjmp in the caller), and silence its warnings.
#pragma once

// jpeglib.h uses size_t and FILE without declaring them.
#include <cstddef>
#include <cstdio>
// clang-format off
#include <jpeglib.h>
// clang-format on

#include <csetjmp>

namespace quorel {

struct TJpegErrors {
  jpeg_error_mgr Base;
  std::jmp_buf Back;
};

[[noreturn]] inline void JumpOnJpegError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<TJpegErrors*>(info->err)->Back, 1);
}

inline void IgnoreJpegMessage(j_common_ptr, int) {}

// Points `info` at `errors`, which jump to errors.Back; the caller does the setjmp.
inline void UseJumpingErrors(jpeg_decompress_struct& info, TJpegErrors& errors) {
  info.err = jpeg_std_error(&errors.Base);
  errors.Base.error_exit = JumpOnJpegError;
  errors.Base.emit_message = IgnoreJpegMessage;
}

}  // namespace quorel
