// The interface between the frameserver and its plug-ins: clips, frames, script values and the
// environment. Everything a plug-in uses of it is inline, so a plug-in links against nothing but the
// C++ standard library; the environment is abstract and implemented by the host.
//
// Reference counts change without locking: one clip or frame is used by one request at a time.
#pragma once

#include <cstdint>
#include <utility>

#include "host/plugin_export.h"

class IScriptEnvironment;
class IClip;
class VideoFrame;

// ---------------------------------------------------------------------------------------------
// Clip properties

enum PixelType : int {
  // Tested by mask: a clip has a format when (pixel_type & code) == code.
  // Bits: 28 RGB, 29 YUV, 30 interleaved, 31 planar; the low bits tell the layout.
  kPixelTypeNone = 0,
  kPixelTypeRGB32 = 0x50000001,
  kPixelTypeYUY2 = 0x60000004,
  kPixelTypeYV12 = static_cast<int>(0xA0000008u),
  kPixelTypeI420 = static_cast<int>(0xA0000010u),
};

enum SampleType : int {
  kSampleInt8 = 1,  // unsigned, 128 is silence
  kSampleInt16 = 2,
  kSampleInt24 = 4,
  kSampleInt32 = 8,
  kSampleFloat = 16,
};

struct VideoInfo {
  int width = 0;
  int height = 0;
  unsigned fps_numerator = 0;
  unsigned fps_denominator = 1;
  int num_frames = 0;
  int pixel_type = kPixelTypeNone;
  int audio_samples_per_second = 0;  // 0: the clip has no audio
  int sample_type = kSampleInt16;
  int64_t num_audio_samples = 0;
  int nchannels = 0;

  bool HasVideo() const { return width > 0 && pixel_type != kPixelTypeNone; }
  bool HasAudio() const { return audio_samples_per_second != 0; }
  bool Is(int code) const { return (pixel_type & code) == code; }
  bool IsYUY2() const { return Is(kPixelTypeYUY2); }
  bool IsPlanar() const { return Is(kPixelTypeYV12) || Is(kPixelTypeI420); }
};

// ---------------------------------------------------------------------------------------------
// Frames
//
// A frame is a view (offsets, pitch, size) onto a buffer; both carry a reference count. The host owns
// and recycles them: a count of 0 means free for reuse, nothing is deleted when it reaches 0.

class VideoFrameBuffer {
 public:
  VideoFrameBuffer(uint8_t* data, int size) : data_(data), size_(size) {}

  uint8_t* Data() const { return data_; }
  int Size() const { return size_; }
  int RefCount() const { return refcount_; }

 private:
  friend class VideoFrame;
  uint8_t* data_;
  int size_;
  int refcount_ = 0;
};

enum Plane : int { kPlaneY = 0, kPlaneU = 1, kPlaneV = 2 };

class VideoFrame {
 public:
  // Interleaved frames leave pitch_uv 0: they have no chroma planes.
  VideoFrame(VideoFrameBuffer* buffer, int offset, int pitch, int row_size, int height,
             int offset_u = 0, int offset_v = 0, int pitch_uv = 0)
      : buffer_(buffer), offset_(offset), pitch_(pitch), row_size_(row_size), height_(height),
        offset_u_(offset_u), offset_v_(offset_v), pitch_uv_(pitch_uv) {}

  int GetPitch(int plane = kPlaneY) const { return plane == kPlaneY ? pitch_ : pitch_uv_; }
  int GetRowSize(int plane = kPlaneY) const {
    if (plane == kPlaneY) return row_size_;
    return pitch_uv_ ? row_size_ / 2 : 0;
  }
  int GetHeight(int plane = kPlaneY) const {
    if (plane == kPlaneY) return height_;
    return pitch_uv_ ? height_ / 2 : 0;
  }
  const uint8_t* GetReadPtr(int plane = kPlaneY) const { return buffer_->Data() + Offset(plane); }
  // Null unless nobody else holds this frame or its buffer.
  uint8_t* GetWritePtr(int plane = kPlaneY) const {
    return IsWritable() ? buffer_->Data() + Offset(plane) : nullptr;
  }
  bool IsWritable() const { return refcount_ == 1 && buffer_->refcount_ == 1; }

  int RefCount() const { return refcount_; }
  VideoFrameBuffer* Buffer() const { return buffer_; }

 private:
  friend class PVideoFrame;

  int Offset(int plane) const {
    return plane == kPlaneU ? offset_u_ : plane == kPlaneV ? offset_v_ : offset_;
  }
  void AddRef() {
    if (refcount_++ == 0) ++buffer_->refcount_;
  }
  void Release() {
    if (refcount_ == 1) --buffer_->refcount_;
    --refcount_;
  }

  VideoFrameBuffer* buffer_;
  int offset_, pitch_, row_size_, height_;
  int offset_u_, offset_v_, pitch_uv_;
  int refcount_ = 0;
};

class PVideoFrame {
 public:
  PVideoFrame() = default;
  PVideoFrame(VideoFrame* frame) { Set(frame); }
  PVideoFrame(const PVideoFrame& other) { Set(other.frame_); }
  PVideoFrame(PVideoFrame&& other) noexcept : frame_(other.frame_) { other.frame_ = nullptr; }
  PVideoFrame& operator=(const PVideoFrame& other) {
    Set(other.frame_);
    return *this;
  }
  PVideoFrame& operator=(PVideoFrame&& other) noexcept {
    if (this != &other) {
      Set(nullptr);
      frame_ = other.frame_;
      other.frame_ = nullptr;
    }
    return *this;
  }
  ~PVideoFrame() { Set(nullptr); }

  VideoFrame* operator->() const { return frame_; }
  VideoFrame* get() const { return frame_; }
  explicit operator bool() const { return frame_ != nullptr; }

 private:
  void Set(VideoFrame* frame) {
    if (frame) frame->AddRef();
    if (frame_) frame_->Release();
    frame_ = frame;
  }
  VideoFrame* frame_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Clips

class IClip {
 public:
  // Slot order is part of the interface: host and plug-in are built from the same declaration.
  virtual int GetVersion() { return 2; }
  virtual PVideoFrame GetFrame(int n, IScriptEnvironment* env) = 0;
  virtual bool GetParity(int n) = 0;
  // Writes count interleaved samples from sample start on; start may lie outside the clip.
  virtual void GetAudio(void* buf, int64_t start, int64_t count, IScriptEnvironment* env) = 0;
  virtual void SetCacheHints(int hints, int frame_range) = 0;
  virtual const VideoInfo& GetVideoInfo() = 0;
  virtual ~IClip() = default;

  int RefCount() const { return refcount_; }

 private:
  friend class PClip;
  void AddRef() { ++refcount_; }
  void Release() {
    if (--refcount_ == 0) delete this;
  }
  int refcount_ = 0;  // a new clip is owned by nobody until a PClip takes it
};

class PClip {
 public:
  PClip() = default;
  PClip(IClip* clip) { Set(clip); }
  PClip(const PClip& other) { Set(other.clip_); }
  PClip(PClip&& other) noexcept : clip_(other.clip_) { other.clip_ = nullptr; }
  PClip& operator=(const PClip& other) {
    Set(other.clip_);
    return *this;
  }
  PClip& operator=(PClip&& other) noexcept {
    if (this != &other) {
      Set(nullptr);
      clip_ = other.clip_;
      other.clip_ = nullptr;
    }
    return *this;
  }
  ~PClip() { Set(nullptr); }

  IClip* operator->() const { return clip_; }
  IClip* get() const { return clip_; }
  explicit operator bool() const { return clip_ != nullptr; }

 private:
  void Set(IClip* clip) {
    if (clip) clip->AddRef();
    if (clip_) clip_->Release();
    clip_ = clip;
  }
  IClip* clip_ = nullptr;
};

// The pass-through filter: every operation a filter does not override goes to its child.
class GenericVideoFilter : public IClip {
 public:
  explicit GenericVideoFilter(PClip child) : child(std::move(child)), vi(this->child->GetVideoInfo()) {}

  PVideoFrame GetFrame(int n, IScriptEnvironment* env) override { return child->GetFrame(n, env); }
  bool GetParity(int n) override { return child->GetParity(n); }
  void GetAudio(void* buf, int64_t start, int64_t count, IScriptEnvironment* env) override {
    child->GetAudio(buf, start, count, env);
  }
  void SetCacheHints(int, int) override {}
  const VideoInfo& GetVideoInfo() override { return vi; }

 protected:
  PClip child;
  VideoInfo vi;
};

// ---------------------------------------------------------------------------------------------
// Script values

class AVSValue {
 public:
  AVSValue() = default;  // void: an argument left out
  AVSValue(IClip* clip) : type_('c'), clip_(clip) {}
  AVSValue(const PClip& clip) : type_('c'), clip_(clip) {}
  AVSValue(bool b) : type_('b'), boolean_(b) {}
  AVSValue(int i) : type_('i'), integer_(i) {}
  AVSValue(float f) : type_('f'), floating_(f) {}
  AVSValue(double f) : type_('f'), floating_(static_cast<float>(f)) {}
  // The text is not copied: the host keeps it alive (IScriptEnvironment::SaveString).
  AVSValue(const char* s) : type_('s'), string_(s) {}
  // The elements are not copied: they must outlive the value.
  AVSValue(const AVSValue* elements, int size) : type_('a'), array_(elements), array_size_(size) {}

  char Type() const { return type_; }
  bool Defined() const { return type_ != 'v'; }
  bool IsClip() const { return type_ == 'c'; }
  bool IsBool() const { return type_ == 'b'; }
  bool IsInt() const { return type_ == 'i'; }
  bool IsFloat() const { return type_ == 'f' || type_ == 'i'; }
  bool IsString() const { return type_ == 's'; }
  bool IsArray() const { return type_ == 'a'; }

  PClip AsClip() const { return IsClip() ? clip_ : PClip(); }
  bool AsBool(bool fallback) const { return IsBool() ? boolean_ : fallback; }
  int AsInt(int fallback) const { return IsInt() ? integer_ : fallback; }
  double AsFloat(double fallback) const {
    return type_ == 'f' ? floating_ : type_ == 'i' ? integer_ : fallback;
  }
  const char* AsString(const char* fallback) const { return IsString() ? string_ : fallback; }

  int ArraySize() const { return IsArray() ? array_size_ : 1; }
  // Outside the array, and on a value that is no array, the value stands for itself.
  const AVSValue& operator[](int i) const {
    return IsArray() && i >= 0 && i < array_size_ ? array_[i] : *this;
  }

 private:
  char type_ = 'v';
  PClip clip_;
  union {
    bool boolean_;
    int integer_ = 0;
    float floating_;
    const char* string_;
    const AVSValue* array_;
  };
  int array_size_ = 0;
};

// ---------------------------------------------------------------------------------------------
// The environment

using ApplyFunc = AVSValue(PLUGIN_CC*)(AVSValue args, void* user_data, IScriptEnvironment* env);

class IScriptEnvironment {
 public:
  virtual ~IScriptEnvironment() = default;

  // params lists the arguments in order: c clip, i int, f float, b bool, s string; an optional
  // named argument is written [name]t.
  virtual void AddFunction(const char* name, const char* params, ApplyFunc apply, void* user_data) = 0;
  // printf-style; raises a script error and does not return.
  [[noreturn]] virtual void ThrowError(const char* format, ...) = 0;
  virtual PVideoFrame NewVideoFrame(const VideoInfo& vi, int align = 16) = 0;
  virtual void BitBlt(uint8_t* dst, int dst_pitch, const uint8_t* src, int src_pitch, int row_size,
                      int height) = 0;
  // A copy of text that lives as long as the environment.
  virtual const char* SaveString(const char* text) = 0;
};

// The entry every plug-in exports; it registers the plug-in's functions and returns null.
using PluginInitFunc = const char*(PLUGIN_CC*)(IScriptEnvironment* env);
