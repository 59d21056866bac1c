// The encoders of a Matroska render: each owns its codec context and stream, takes the clip's video or
// audio in the clip's terms and hands its packets to the muxer.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "frameserver/env/script_environment.h"
#include "frameserver/writers/av_util.h"
#include "frameserver/writers/frame_planes.h"
#include "frameserver/writers/output_file.h"

namespace frameserve {

class Encoder {
 public:
  Encoder(const Encoder&) = delete;
  Encoder& operator=(const Encoder&) = delete;

  // Drains what the encoder still holds.
  void Flush() { Send(nullptr); }

 protected:
  // name empty: default_name. Throws Error for an unknown name or an encoder of another kind.
  Encoder(AVFormatContext* muxer, OutputFile& out, const std::string& name, const char* default_name,
          AVMediaType type);
  // Opens the encoder once the subclass has set up its context, and describes the stream to the muxer.
  void Open();
  void Send(const AVFrame* frame);

  AVCodecContext* Context() const { return context_.get(); }
  const AVCodec* Codec() const { return codec_; }

 private:
  AVFormatContext* muxer_;
  OutputFile& out_;
  const AVCodec* codec_;
  AvPtr<AVCodecContext> context_;
  AvPtr<AVPacket> packet_;
  AVStream* stream_;
  std::string what_;  // "the video encoder 'ffv1'", for messages
};

class VideoEncoder : public Encoder {
 public:
  // codec empty: FFV1, lossless, in the clip's own layout when FFV1 takes it.
  VideoEncoder(AVFormatContext* muxer, OutputFile& out, const VideoInfo& vi, const std::string& codec);
  void Write(std::span<const PlaneView> planes, int64_t frame_index);

 private:
  std::vector<PlaneSize> sizes_;
  AvPtr<AVFrame> planes_;     // the clip's planes, chroma padded
  AvPtr<SwsContext> scaler_;  // only when the encoder wants another pixel format
  AvPtr<AVFrame> converted_;
};

class AudioEncoder : public Encoder {
 public:
  // codec empty: a lossless choice for the clip's sample type (FLAC for 16 and 24 bits, PCM otherwise).
  AudioEncoder(AVFormatContext* muxer, OutputFile& out, const VideoInfo& vi, const std::string& codec,
               int64_t first_sample);
  // Encodes the clip's audio up to sample end (exclusive), whole encoder frames only unless last.
  void WriteUntil(IClip& clip, ScriptEnvironment& env, int64_t end, bool last);

 private:
  void EncodeFrame(IClip& clip, ScriptEnvironment& env, int samples);

  VideoInfo vi_;
  int frame_size_;     // samples per encoder frame
  bool pad_last_;      // the encoder takes only full frames
  int64_t position_;   // next sample of the clip to encode
  int64_t first_sample_;
  AvPtr<SwrContext> converter_;
  AvPtr<AVFrame> frame_;
  std::vector<uint8_t> clip_samples_;
  std::vector<int32_t> widened_;  // 24-bit samples as 32-bit, which encoders take
};

}  // namespace frameserve
