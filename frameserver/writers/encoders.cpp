#include "frameserver/writers/encoders.h"

#include <algorithm>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/samplefmt.h>
}

#include "frameserver/env/errors.h"
#include "host/audio_math.h"

namespace frameserve {
namespace {

constexpr int kPcmFrameSamples = 4096;  // for encoders that take any frame size

const AVCodec* FindEncoder(const std::string& name, AVMediaType type) {
  const char* kind = type == AVMEDIA_TYPE_VIDEO ? "video" : "audio";
  const AVCodec* codec = avcodec_find_encoder_by_name(name.c_str());
  if (!codec) throw Error(std::string("there is no ") + kind + " encoder named '" + name + "'");
  if (codec->type != type)
    throw Error("'" + name + "' is not " + (type == AVMEDIA_TYPE_VIDEO ? "a video" : "an audio") + " encoder");
  return codec;
}

// The clip's samples as FFmpeg names them; 24-bit samples are handed over widened to 32 bits.
AVSampleFormat ClipSampleFormat(int sample_type) {
  switch (sample_type) {
    case kSampleInt8: return AV_SAMPLE_FMT_U8;
    case kSampleInt16: return AV_SAMPLE_FMT_S16;
    case kSampleFloat: return AV_SAMPLE_FMT_FLT;
    default: return AV_SAMPLE_FMT_S32;
  }
}

// FLAC is lossless up to 24 bits here (it cuts 32-bit samples to 24); PCM keeps the rest exactly.
const char* LosslessAudioCodec(int sample_type) {
  switch (sample_type) {
    case kSampleInt8: return "pcm_u8";
    case kSampleInt16:
    case kSampleInt24: return "flac";
    case kSampleInt32: return "pcm_s32le";
    default: return "pcm_f32le";
  }
}

// The clip's own format when the encoder takes it, packed or planar, else the encoder's first choice.
AVSampleFormat ChooseSampleFormat(const AVCodec* codec, AVSampleFormat own) {
  if (!codec->sample_fmts) return own;
  for (const AVSampleFormat wanted : {own, av_get_planar_sample_fmt(own)})
    for (const AVSampleFormat* f = codec->sample_fmts; *f != AV_SAMPLE_FMT_NONE; ++f)
      if (*f == wanted) return wanted;
  return codec->sample_fmts[0];
}

AVPixelFormat ChoosePixelFormat(const AVCodec* codec, AVPixelFormat own) {
  if (!codec->pix_fmts) return own;
  for (const AVPixelFormat* f = codec->pix_fmts; *f != AV_PIX_FMT_NONE; ++f)
    if (*f == own) return own;
  return avcodec_find_best_pix_fmt_of_list(codec->pix_fmts, own, 0, nullptr);
}

}  // namespace

Encoder::Encoder(AVFormatContext* muxer, OutputFile& out, const std::string& name, const char* default_name,
                 AVMediaType type)
    : muxer_(muxer), out_(out), codec_(FindEncoder(name.empty() ? default_name : name, type)),
      context_(avcodec_alloc_context3(codec_)), packet_(av_packet_alloc()),
      stream_(avformat_new_stream(muxer, nullptr)),
      what_(std::string("the ") + (type == AVMEDIA_TYPE_VIDEO ? "video" : "audio") + " encoder '" + codec_->name +
            "'") {
  if (!context_ || !packet_ || !stream_) throw std::bad_alloc();
  if (muxer->oformat->flags & AVFMT_GLOBALHEADER) context_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
}

void Encoder::Open() {
  CheckAv(avcodec_open2(context_.get(), codec_, nullptr), "cannot open " + what_);
  CheckAv(avcodec_parameters_from_context(stream_->codecpar, context_.get()), "cannot set up " + what_);
  stream_->time_base = context_->time_base;
}

void Encoder::Send(const AVFrame* frame) {
  CheckAv(avcodec_send_frame(context_.get(), frame), "cannot encode with " + what_);
  for (;;) {
    const int got = avcodec_receive_packet(context_.get(), packet_.get());
    if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) return;
    CheckAv(got, "cannot encode with " + what_);
    av_packet_rescale_ts(packet_.get(), context_->time_base, stream_->time_base);
    packet_->stream_index = stream_->index;
    const int written = av_interleaved_write_frame(muxer_, packet_.get());  // takes the packet's data
    if (written < 0) out_.Fail(AvErrorText(written));
  }
}

VideoEncoder::VideoEncoder(AVFormatContext* muxer, OutputFile& out, const VideoInfo& vi, const std::string& codec)
    : Encoder(muxer, out, codec, "ffv1", AVMEDIA_TYPE_VIDEO), sizes_(StoredPlaneSizes(vi)) {
  const AVPixelFormat own = PlanesPixelFormat(vi);
  AVCodecContext* c = Context();
  c->width = vi.width;
  c->height = vi.height;
  c->time_base = {static_cast<int>(vi.fps_denominator), static_cast<int>(vi.fps_numerator)};
  c->framerate = {static_cast<int>(vi.fps_numerator), static_cast<int>(vi.fps_denominator)};
  c->sample_aspect_ratio = {1, 1};
  c->pix_fmt = ChoosePixelFormat(Codec(), own);
  if (!(av_pix_fmt_desc_get(c->pix_fmt)->flags & AV_PIX_FMT_FLAG_RGB)) {
    c->color_range = AVCOL_RANGE_MPEG;
    c->colorspace = AVCOL_SPC_BT470BG;  // BT.601
  }
  Open();
  planes_ = NewVideoFrame(own, vi.width, vi.height);
  if (c->pix_fmt != own) {
    scaler_ = NewScaler(vi, c->pix_fmt);
    converted_ = NewVideoFrame(c->pix_fmt, vi.width, vi.height);
  }
}

void VideoEncoder::Write(std::span<const PlaneView> planes, int64_t frame_index) {
  CopyPlanes(planes, sizes_, planes_.get());
  AVFrame* frame = planes_.get();
  if (scaler_) {
    CheckAv(av_frame_make_writable(converted_.get()), "cannot allocate a video frame");
    sws_scale(scaler_.get(), frame->data, frame->linesize, 0, frame->height, converted_->data, converted_->linesize);
    frame = converted_.get();
  }
  frame->pts = frame_index;
  Send(frame);
}

AudioEncoder::AudioEncoder(AVFormatContext* muxer, OutputFile& out, const VideoInfo& vi, const std::string& codec,
                           int64_t first_sample)
    : Encoder(muxer, out, codec, LosslessAudioCodec(vi.sample_type), AVMEDIA_TYPE_AUDIO), vi_(vi),
      position_(first_sample), first_sample_(first_sample), frame_(av_frame_alloc()) {
  if (!frame_) throw std::bad_alloc();
  const AVSampleFormat own = ClipSampleFormat(vi.sample_type);
  AVCodecContext* c = Context();
  c->sample_rate = vi.audio_samples_per_second;
  c->time_base = {1, vi.audio_samples_per_second};
  av_channel_layout_default(&c->ch_layout, vi.nchannels);
  c->sample_fmt = ChooseSampleFormat(Codec(), own);
  if (vi.sample_type == kSampleInt24) c->bits_per_raw_sample = 24;
  Open();
  const bool any_size = c->frame_size == 0 || (Codec()->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE);
  frame_size_ = any_size ? kPcmFrameSamples : c->frame_size;
  pad_last_ = !any_size && !(Codec()->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME);

  SwrContext* converter = nullptr;
  CheckAv(swr_alloc_set_opts2(&converter, &c->ch_layout, c->sample_fmt, c->sample_rate, &c->ch_layout, own,
                              c->sample_rate, 0, nullptr),
          "cannot convert the audio");
  converter_.reset(converter);
  CheckAv(swr_init(converter), "cannot convert the audio");

  frame_->format = c->sample_fmt;
  frame_->sample_rate = c->sample_rate;
  frame_->nb_samples = frame_size_;
  CheckAv(av_channel_layout_copy(&frame_->ch_layout, &c->ch_layout), "cannot allocate an audio frame");
  CheckAv(av_frame_get_buffer(frame_.get(), 0), "cannot allocate an audio frame");
  clip_samples_.resize(static_cast<size_t>(frame_size_) * vi.nchannels * SampleWidth(vi.sample_type));
  if (vi.sample_type == kSampleInt24) widened_.resize(static_cast<size_t>(frame_size_) * vi.nchannels);
}

void AudioEncoder::WriteUntil(IClip& clip, ScriptEnvironment& env, int64_t end, bool last) {
  while (end - position_ >= frame_size_) EncodeFrame(clip, env, frame_size_);
  if (last && end > position_) EncodeFrame(clip, env, static_cast<int>(end - position_));
}

void AudioEncoder::EncodeFrame(IClip& clip, ScriptEnvironment& env, int samples) {
  clip.GetAudio(clip_samples_.data(), position_, samples, &env);
  const uint8_t* in = clip_samples_.data();
  if (!widened_.empty()) {
    // A 24-bit sample goes to the top of 32 bits, as FFmpeg holds 24-bit audio.
    const size_t values = static_cast<size_t>(samples) * vi_.nchannels;
    for (size_t i = 0; i < values; ++i, in += 3)
      widened_[i] = static_cast<int32_t>(uint32_t{in[0]} << 8 | uint32_t{in[1]} << 16 | uint32_t{in[2]} << 24);
    in = reinterpret_cast<const uint8_t*>(widened_.data());
  }
  CheckAv(av_frame_make_writable(frame_.get()), "cannot allocate an audio frame");
  CheckAv(swr_convert(converter_.get(), frame_->data, samples, &in, samples), "cannot convert the audio");
  frame_->nb_samples = pad_last_ ? frame_size_ : samples;
  if (samples < frame_->nb_samples)
    av_samples_set_silence(frame_->data, samples, frame_size_ - samples, vi_.nchannels,
                           static_cast<AVSampleFormat>(frame_->format));
  frame_->pts = position_ - first_sample_;
  position_ += samples;
  Send(frame_.get());
}

}  // namespace frameserve
