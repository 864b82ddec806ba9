#include "AudioFile.h"

#include <lame/lame.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {
std::vector<short> ToPcm(const Buffer& buffer) {
  std::vector<short> pcm(buffer.size());
  for (size_t i = 0; i < buffer.size(); ++i) {
    double v = std::lround(buffer[i] * 32767.0);
    if (v > 32767.0) v = 32767.0;
    if (v < -32768.0) v = -32768.0;
    pcm[i] = (short)v;
  }
  return pcm;
}

void Put32(std::vector<unsigned char>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back((unsigned char)(v >> (8 * i)));
}

void Put16(std::vector<unsigned char>& out, uint16_t v) {
  out.push_back((unsigned char)v);
  out.push_back((unsigned char)(v >> 8));
}

void PutTag(std::vector<unsigned char>& out, const char* tag) {
  out.insert(out.end(), tag, tag + 4);
}

bool WriteFile(const std::string& path, const std::vector<unsigned char>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}
}  // namespace

bool WriteWav(const std::string& path, const Buffer& mono) {
  std::vector<short> pcm = ToPcm(mono);
  uint32_t data_size = (uint32_t)(pcm.size() * 2);
  std::vector<unsigned char> out;
  PutTag(out, "RIFF");
  Put32(out, 36 + data_size);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);
  Put16(out, 1);
  Put32(out, SAMPLE_RATE);
  Put32(out, SAMPLE_RATE * 2);
  Put16(out, 2);
  Put16(out, 16);
  PutTag(out, "data");
  Put32(out, data_size);
  for (short s : pcm) Put16(out, (uint16_t)s);
  return WriteFile(path, out);
}

bool WriteMp3(const std::string& path, const Buffer& left, const Buffer& right, int kbps) {
  bool stereo = !right.empty();
  if (stereo && right.size() != left.size()) return false;
  lame_global_flags* gf = lame_init();
  if (!gf) return false;
  lame_set_in_samplerate(gf, SAMPLE_RATE);
  lame_set_out_samplerate(gf, SAMPLE_RATE);
  lame_set_num_channels(gf, stereo ? 2 : 1);
  lame_set_mode(gf, stereo ? JOINT_STEREO : MONO);
  lame_set_VBR(gf, vbr_off);
  lame_set_brate(gf, kbps);
  lame_set_quality(gf, 5);
  lame_set_bWriteVbrTag(gf, 1);
  lame_set_write_id3tag_automatic(gf, 0);
  if (lame_init_params(gf) < 0) {
    lame_close(gf);
    return false;
  }

  std::vector<short> l = ToPcm(left);
  std::vector<short> r = stereo ? ToPcm(right) : l;
  std::vector<unsigned char> out;
  const int block = 8192;
  std::vector<unsigned char> mp3(block * 5 / 4 + 7200);
  bool ok = true;
  for (size_t pos = 0; pos < l.size() && ok; pos += block) {
    int n = (int)std::min((size_t)block, l.size() - pos);
    int written = lame_encode_buffer(gf, &l[pos], &r[pos], n, mp3.data(), (int)mp3.size());
    if (written < 0)
      ok = false;
    else
      out.insert(out.end(), mp3.begin(), mp3.begin() + written);
  }
  if (ok) {
    int written = lame_encode_flush(gf, mp3.data(), (int)mp3.size());
    if (written < 0)
      ok = false;
    else
      out.insert(out.end(), mp3.begin(), mp3.begin() + written);
  }
  if (ok) {
    // The first frame was left empty for the tag; the tag carries the
    // encoder delay and padding that a gapless decoder trims.
    unsigned char tag[2880];
    size_t size = lame_get_lametag_frame(gf, tag, sizeof(tag));
    if (size == 0 || size > out.size())
      ok = false;
    else
      std::copy(tag, tag + size, out.begin());
  }
  lame_close(gf);
  return ok && WriteFile(path, out);
}
