// JPEGs made with libjpeg's compressor for the decoding tests: any colour space, chroma kept at
// full resolution (so that single pixels keep their colour), baseline or progressive.
#pragma once

#include <cstddef>
#include <cstdio>
// jpeglib.h uses size_t and FILE without declaring them.
#include <jpeglib.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace quorel::test {

struct TJpegOptions {
  int Quality = 95;
  bool Progressive = false;
  bool AdobeMarker = true;            // only changes CMYK pictures
  std::vector<jpeg_scan_info> Scans;  // a scan script of one's own, when not empty
};

inline TJpegOptions Progressive() {
  TJpegOptions options;
  options.Progressive = true;
  return options;
}

// `samples` holds width * height pixels of the space's components, the top row first.
inline std::string EncodeJpeg(int width, int height, J_COLOR_SPACE space,
                              const std::vector<uint8_t>& samples,
                              const TJpegOptions& options = {}) {
  const int components = static_cast<int>(samples.size() / (size_t(width) * height));
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = components;
  info.in_color_space = space;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, options.Quality, TRUE);
  for (int c = 0; c < info.num_components; ++c)
    info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
  if (space == JCS_CMYK) info.write_Adobe_marker = options.AdobeMarker;
  if (options.Progressive) jpeg_simple_progression(&info);
  if (!options.Scans.empty()) {
    info.scan_info = options.Scans.data();
    info.num_scans = static_cast<int>(options.Scans.size());
  }
  jpeg_start_compress(&info, TRUE);
  const size_t stride = size_t(width) * components;
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<uint8_t*>(samples.data() + info.next_scanline * stride);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::string bytes(reinterpret_cast<char*>(out), size);
  jpeg_destroy_compress(&info);
  std::free(out);
  return bytes;
}

// Pixels of no pattern, which compress badly: most of such a JPEG is its pixel data.
inline std::vector<uint8_t> NoiseSamples(int width, int height, int components) {
  std::vector<uint8_t> samples(size_t(width) * height * components);
  uint32_t state = 12345;
  for (uint8_t& s : samples) {
    state = state * 1103515245 + 12345;
    s = static_cast<uint8_t>(state >> 24);
  }
  return samples;
}

// The frame header's size fields changed, the pixels left as they are.
inline std::string WithFrameSize(std::string jpeg, int width, int height) {
  size_t sof = jpeg.find("\xFF\xC0");
  if (sof == std::string::npos) sof = jpeg.find("\xFF\xC2");
  jpeg[sof + 5] = static_cast<char>(height >> 8);
  jpeg[sof + 6] = static_cast<char>(height & 0xFF);
  jpeg[sof + 7] = static_cast<char>(width >> 8);
  jpeg[sof + 8] = static_cast<char>(width & 0xFF);
  return jpeg;
}

// A progressive JPEG whose second scan claims coefficients 1 to 99 (of 64): the header reads
// well, the decoder fails once it comes to that scan.
inline std::string WithDamagedSecondScan(std::string progressive) {
  size_t sos = progressive.find("\xFF\xDA");
  sos = progressive.find("\xFF\xDA", sos + 2);
  const size_t components = static_cast<unsigned char>(progressive[sos + 4]);
  progressive[sos + 5 + 2 * components] = 1;
  progressive[sos + 6 + 2 * components] = 99;
  return progressive;
}

}  // namespace quorel::test
