// The cover export over FFmpeg's libraries: demuxing, decoding and encoding
// (libavformat, libavcodec), the picture's pixel format (libavfilter) and sample rates
// (libswresample). The mix itself is a few multiplications per sample.
#include "platform/cover/CoverExport.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>


namespace cover {
namespace {

struct TFailure {
  std::string What;
};

std::string AvError(int e) {
  char b[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(e, b, sizeof b);
  return b;
}

int Check(int rc, const std::string& what) {
  if (rc < 0) throw TFailure{what + ": " + AvError(rc)};
  return rc;
}

// Hands the decoder the next packet of its stream (packets of other streams are
// dropped), or the end once the file has none left. A damaged packet loses what it
// held; the rest plays on.
void FeedDecoder(AVFormatContext* in, AVCodecContext* dec, AVPacket* pkt, int stream, const std::string& what) {
  int rc = av_read_frame(in, pkt);
  if (rc == AVERROR_EOF) {
    avcodec_send_packet(dec, nullptr);
    return;
  }
  Check(rc, "reading " + what);
  if (pkt->stream_index == stream) {
    rc = avcodec_send_packet(dec, pkt);
    if (rc < 0 && rc != AVERROR(EAGAIN) && rc != AVERROR_INVALIDDATA) Check(rc, "decoding " + what);
  }
  av_packet_unref(pkt);
}

struct TInput {
  AVFormatContext* Ctx = nullptr;
  ~TInput() { avformat_close_input(&Ctx); }
  void Open(const std::string& path) {
    int rc = avformat_open_input(&Ctx, path.c_str(), nullptr, nullptr);
    if (rc < 0) throw TFailure{"the video " + path + " cannot be opened: " + AvError(rc)};
    rc = avformat_find_stream_info(Ctx, nullptr);
    if (rc < 0) throw TFailure{"the video " + path + " cannot be read: " + AvError(rc)};
  }
};

struct TCodec {
  AVCodecContext* Ctx = nullptr;
  ~TCodec() { avcodec_free_context(&Ctx); }
};

struct TPacket {
  AVPacket* P = av_packet_alloc();
  ~TPacket() { av_packet_free(&P); }
};

struct TFrame {
  AVFrame* F = av_frame_alloc();
  ~TFrame() { av_frame_free(&F); }
};

struct TResampler {
  SwrContext* S = nullptr;
  ~TResampler() { swr_free(&S); }
};

struct TGraph {
  AVFilterGraph* G = nullptr;
  AVFilterContext* Src = nullptr;
  AVFilterContext* Sink = nullptr;
  ~TGraph() { avfilter_graph_free(&G); }
};

double Seconds(std::int64_t ts, AVRational tb) { return double(ts) * av_q2d(tb); }
std::int64_t Stamp(double seconds, AVRational tb) { return std::llround(seconds / av_q2d(tb)); }

void OpenDecoder(TCodec& c, const AVStream* s) {
  const AVCodec* codec = avcodec_find_decoder(s->codecpar->codec_id);
  if (!codec) throw TFailure{std::string("no decoder for the video's ") + avcodec_get_name(s->codecpar->codec_id)};
  c.Ctx = avcodec_alloc_context3(codec);
  if (!c.Ctx) throw TFailure{"out of memory"};
  Check(avcodec_parameters_to_context(c.Ctx, s->codecpar), "decoder set-up");
  c.Ctx->pkt_timebase = s->time_base;
  Check(avcodec_open2(c.Ctx, codec, nullptr), std::string("opening the decoder ") + codec->name);
}

// ---- the take, as mono float at the output's rate from a moment on ----
class TVoice {
 public:
  TVoice(const std::string& path, double start, int outRate) {
    int rc = avformat_open_input(&FIn.Ctx, path.c_str(), nullptr, nullptr);
    if (rc >= 0) rc = avformat_find_stream_info(FIn.Ctx, nullptr);
    if (rc < 0) throw TFailure{"the take " + path + " cannot be read: " + AvError(rc)};
    FStream = av_find_best_stream(FIn.Ctx, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (FStream < 0) throw TFailure{"the take " + path + " holds no sound"};
    OpenDecoder(FDec, FIn.Ctx->streams[FStream]);
    FChannels = std::max(1, FDec.Ctx->ch_layout.nb_channels);
    FSkip = std::int64_t(std::max(0.0, std::round(start * FDec.Ctx->sample_rate)));
    // Same channels, float, the output's rate; the channels are averaged below, so the
    // voice sits in the middle whatever the take's channels were.
    AVChannelLayout layout{};
    av_channel_layout_default(&layout, FChannels);
    rc = swr_alloc_set_opts2(&FSwr.S, &layout, AV_SAMPLE_FMT_FLT, outRate, &layout, FDec.Ctx->sample_fmt,
                             FDec.Ctx->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&layout);
    Check(rc, "resampler for the take");
    Check(swr_init(FSwr.S), "resampler for the take");
  }

  // n samples of the voice at the output's rate; silence past the take's end.
  void Pull(float* out, int n) {
    while (int(FBuf.size() - FHead) < n && !FEnd) Decode();
    const int have = std::min(n, int(FBuf.size() - FHead));
    std::copy_n(FBuf.begin() + long(FHead), have, out);
    std::fill_n(out + have, n - have, 0.0f);
    FHead += std::size_t(have);
    if (FHead > 1 << 16) {
      FBuf.erase(FBuf.begin(), FBuf.begin() + long(FHead));
      FHead = 0;
    }
  }

 private:
  void Append(const std::uint8_t* const* data, int samples) {
    const int room = swr_get_out_samples(FSwr.S, samples);
    FMix.resize(std::size_t(std::max(room, 1)) * std::size_t(FChannels));
    auto* dst = reinterpret_cast<std::uint8_t*>(FMix.data());
    int got = Check(swr_convert(FSwr.S, &dst, room, const_cast<const std::uint8_t**>(data), samples), "resampling the take");
    for (int i = 0; i < got; ++i) {
      float sum = 0;
      for (int c = 0; c < FChannels; ++c) sum += FMix[std::size_t(i * FChannels + c)];
      FBuf.push_back(sum / float(FChannels));
    }
  }

  void Decode() {
    int rc = avcodec_receive_frame(FDec.Ctx, FFrame.F);
    if (rc == 0) {
      // The take's samples before the cover's start are left out, to the sample.
      int from = int(std::min<std::int64_t>(FSkip, FFrame.F->nb_samples));
      FSkip -= from;
      if (from < FFrame.F->nb_samples) {
        const int bytes = av_get_bytes_per_sample(AVSampleFormat(FFrame.F->format));
        const bool planar = av_sample_fmt_is_planar(AVSampleFormat(FFrame.F->format));
        std::vector<const std::uint8_t*> planes;
        for (int c = 0; c < (planar ? FChannels : 1); ++c)
          planes.push_back(FFrame.F->extended_data[c] + std::size_t(from) * std::size_t(bytes) * (planar ? 1 : std::size_t(FChannels)));
        Append(planes.data(), FFrame.F->nb_samples - from);
      }
      av_frame_unref(FFrame.F);
      return;
    }
    if (rc == AVERROR_EOF) {
      Append(nullptr, 0);  // what the resampler still holds
      FEnd = true;
      return;
    }
    if (rc != AVERROR(EAGAIN)) Check(rc, "decoding the take");
    rc = av_read_frame(FIn.Ctx, FPacket.P);
    if (rc == AVERROR_EOF) {
      avcodec_send_packet(FDec.Ctx, nullptr);
      return;
    }
    Check(rc, "reading the take");
    if (FPacket.P->stream_index == FStream) Check(avcodec_send_packet(FDec.Ctx, FPacket.P), "decoding the take");
    av_packet_unref(FPacket.P);
  }

  TInput FIn;
  int FStream = -1;
  TCodec FDec;
  TResampler FSwr;
  TPacket FPacket;
  TFrame FFrame;
  int FChannels = 1;
  std::int64_t FSkip = 0;
  bool FEnd = false;
  std::vector<float> FMix;
  std::vector<float> FBuf;
  std::size_t FHead = 0;
};

// ---- the video's own sound, stereo float at the output's rate, from any position ----
class TBackingSound {
 public:
  TBackingSound(const std::string& path, int outRate) : FOutRate(outRate) {
    FIn.Open(path);
    FStream = av_find_best_stream(FIn.Ctx, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (FStream < 0) return;
    for (unsigned i = 0; i < FIn.Ctx->nb_streams; ++i)
      if (int(i) != FStream) FIn.Ctx->streams[i]->discard = AVDISCARD_ALL;
    OpenDecoder(FDec, FIn.Ctx->streams[FStream]);
    ResetResampler();
  }
  bool HasSound() const { return FStream >= 0; }

  // n stereo samples (interleaved) of the video's sound from pos (seconds) on.
  void Read(double pos, int n, float* out) {
    if (!HasSound()) {
      std::fill_n(out, 2 * n, 0.0f);
      return;
    }
    const double tolerance = 1.5 / FOutRate;
    if (!FKnown || std::fabs(pos - FTime) > tolerance) {
      // Close ahead: decode on; anywhere else: seek there.
      if (!(FKnown && pos > FTime && pos - FTime < 1.0)) Seek(pos);
    }
    // Until the first decoded sound says where the buffer starts.
    while (!FKnown && !FEnd) Decode();
    if (FKnown && pos > FTime + tolerance) {
      auto skip = std::size_t(std::llround((pos - FTime) * FOutRate));
      while (Buffered() < skip && !FEnd) Decode();
      skip = std::min(skip, Buffered());
      FHead += 2 * skip;
      FTime += double(skip) / FOutRate;
    }
    int at = 0;
    if (FKnown && FTime > pos + tolerance) {
      // The sound starts later than pos: silence until it does.
      at = std::min(n, int(std::llround((FTime - pos) * FOutRate)));
      std::fill_n(out, 2 * at, 0.0f);
    }
    const int want = n - at;
    while (int(Buffered()) < want && !FEnd) Decode();
    const int have = std::min(want, int(Buffered()));
    std::copy_n(FBuf.begin() + long(FHead), 2 * have, out + 2 * at);
    std::fill_n(out + 2 * (at + have), 2 * (want - have), 0.0f);
    FHead += std::size_t(2 * have);
    FTime = at > 0 ? FTime + double(have) / FOutRate : pos + double(n) / FOutRate;
    if (FHead > 1 << 17) {
      FBuf.erase(FBuf.begin(), FBuf.begin() + long(FHead));
      FHead = 0;
    }
  }

 private:
  std::size_t Buffered() const { return (FBuf.size() - FHead) / 2; }

  void ResetResampler() {
    swr_free(&FSwr.S);
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    AVChannelLayout in{};
    if (FDec.Ctx->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || FDec.Ctx->ch_layout.nb_channels == 0)
      av_channel_layout_default(&in, std::max(1, FDec.Ctx->ch_layout.nb_channels));
    else
      Check(av_channel_layout_copy(&in, &FDec.Ctx->ch_layout), "channel layout");
    int rc = swr_alloc_set_opts2(&FSwr.S, &stereo, AV_SAMPLE_FMT_FLT, FOutRate, &in, FDec.Ctx->sample_fmt,
                                 FDec.Ctx->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&in);
    Check(rc, "resampler for the video's sound");
    Check(swr_init(FSwr.S), "resampler for the video's sound");
  }

  void Seek(double pos) {
    AVStream* s = FIn.Ctx->streams[FStream];
    Check(av_seek_frame(FIn.Ctx, FStream, Stamp(std::max(0.0, pos), s->time_base), AVSEEK_FLAG_BACKWARD),
          "seeking in the video's sound");
    avcodec_flush_buffers(FDec.Ctx);
    ResetResampler();
    FBuf.clear();
    FHead = 0;
    FKnown = false;
    FEnd = false;
  }

  void Decode() {
    AVStream* s = FIn.Ctx->streams[FStream];
    for (;;) {
      int rc = avcodec_receive_frame(FDec.Ctx, FFrame.F);
      if (rc == 0) {
        if (!FKnown) {
          std::int64_t ts = FFrame.F->best_effort_timestamp;
          FTime = ts == AV_NOPTS_VALUE ? 0 : Seconds(ts, s->time_base);
          FKnown = true;
        }
        const int room = swr_get_out_samples(FSwr.S, FFrame.F->nb_samples);
        std::size_t old = FBuf.size();
        FBuf.resize(old + 2 * std::size_t(std::max(room, 0)));
        auto* dst = reinterpret_cast<std::uint8_t*>(FBuf.data() + old);
        int n = swr_convert(FSwr.S, &dst, room, const_cast<const std::uint8_t**>(FFrame.F->extended_data),
                            FFrame.F->nb_samples);
        av_frame_unref(FFrame.F);
        FBuf.resize(old + 2 * std::size_t(std::max(n, 0)));
        return;
      }
      if (rc == AVERROR_EOF) {
        FEnd = true;
        FKnown = true;
        return;
      }
      if (rc != AVERROR(EAGAIN)) Check(rc, "decoding the video's sound");
      FeedDecoder(FIn.Ctx, FDec.Ctx, FPacket.P, FStream, "the video's sound");
    }
  }

  int FOutRate;
  TInput FIn;
  int FStream = -1;
  TCodec FDec;
  TResampler FSwr;
  TPacket FPacket;
  TFrame FFrame;
  std::vector<float> FBuf;  // interleaved stereo
  std::size_t FHead = 0;
  double FTime = 0;  // the video's time of the sample at FHead
  bool FKnown = false;
  bool FEnd = false;
};

// Where the timeline puts the video at a moment of the take: the piece that holds it,
// or -1 for a pause.
int PieceAt(const std::vector<TPiece>& pieces, double t) {
  for (std::size_t i = 0; i < pieces.size(); ++i)
    if (t >= pieces[i].TakeFrom && t < pieces[i].TakeTo) return int(i);
  return -1;
}

double GainAt(const std::vector<TGainStep>& steps, double t) {
  double g = 1;
  for (const auto& s : steps) {
    if (s.TakeTime > t) break;
    g = s.Amplitude;
  }
  return g;
}

// ---- the whole export ----
class TExporter {
 public:
  explicit TExporter(const TJob& job) : FJob(job) {}

  TResult Run() {
    TResult r;
    r.Duration = FJob.End - FJob.Start;
    if (FJob.Pieces.empty() || r.Duration <= 0) {
      r.Error = "the take's timeline holds no stretch of the video";
      return r;
    }
    try {
      OpenVideo();
      PrepareOutput();
      Write();
      Finish();
      r.Duration = FJob.End - FJob.Start;
      r.Ok = true;
      r.VideoCopied = FCopy;
    } catch (const TFailure& f) {
      r.Error = f.What;
      Discard();
    }
    return r;
  }

  ~TExporter() { Discard(); }

 private:
  void OpenVideo() {
    FVideoIn.Open(FJob.VideoPath);
    FVideoStream = av_find_best_stream(FVideoIn.Ctx, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (FVideoStream < 0) throw TFailure{"the video " + FJob.VideoPath + " has no picture"};
    for (unsigned i = 0; i < FVideoIn.Ctx->nb_streams; ++i)
      if (int(i) != FVideoStream) FVideoIn.Ctx->streams[i]->discard = AVDISCARD_ALL;
    int audio = av_find_best_stream(FVideoIn.Ctx, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    FOutRate = 48000;
    if (audio >= 0) {
      int rate = FVideoIn.Ctx->streams[audio]->codecpar->sample_rate;
      static const int kAacRates[] = {96000, 88200, 64000, 48000, 44100, 32000, 24000, 22050, 16000, 12000, 11025, 8000};
      if (std::find(std::begin(kAacRates), std::end(kAacRates), rate) != std::end(kAacRates)) FOutRate = rate;
    }
  }

  // A copied picture can only start at one of the video's own pictures: the cover
  // starts at the first one at or after the timeline's start, so that sound and
  // picture keep their places to the sample.
  void StartAtPicture() {
    const TPiece& p = FJob.Pieces.front();
    const AVStream* vin = FVideoIn.Ctx->streams[FVideoStream];
    const double startTime = vin->start_time == AV_NOPTS_VALUE ? 0 : Seconds(vin->start_time, vin->time_base);
    const double from = std::max(0.0, p.VideoFrom + (FJob.Start - p.TakeFrom));
    Check(av_seek_frame(FVideoIn.Ctx, FVideoStream, Stamp(from + startTime, vin->time_base), AVSEEK_FLAG_BACKWARD),
          "seeking in the video");
    TPacket pkt;
    double first = -1;
    while (av_read_frame(FVideoIn.Ctx, pkt.P) >= 0) {
      if (pkt.P->stream_index == FVideoStream && pkt.P->pts != AV_NOPTS_VALUE) {
        const double at = Seconds(pkt.P->pts, vin->time_base) - startTime;
        if (at >= from - 1e-6 && (first < 0 || at < first)) first = at;
        const std::int64_t dts = pkt.P->dts != AV_NOPTS_VALUE ? pkt.P->dts : pkt.P->pts;
        if (Seconds(dts, vin->time_base) - startTime > from + 2) break;
      }
      av_packet_unref(pkt.P);
    }
    if (first > from) FJob.Start += first - from;
    if (FJob.Start >= FJob.End) throw TFailure{"the timeline ends before the video's next picture"};
  }

  void PrepareOutput() {
    int rc = avformat_alloc_output_context2(&FOut, nullptr, nullptr, FJob.OutPath.c_str());
    if (rc < 0 || !FOut) throw TFailure{"no container for " + FJob.OutPath};
    const AVStream* vin = FVideoIn.Ctx->streams[FVideoStream];
    FCopy = FJob.Pieces.size() == 1 &&
            avformat_query_codec(FOut->oformat, vin->codecpar->codec_id, FF_COMPLIANCE_NORMAL) == 1;
    if (FCopy) StartAtPicture();
    if (FJob.Backing != TBacking::None) FBacking = std::make_unique<TBackingSound>(FJob.VideoPath, FOutRate);
    FVoice = std::make_unique<TVoice>(FJob.TakePath, FJob.Start, FOutRate);
    FVideoOut = avformat_new_stream(FOut, nullptr);
    if (!FVideoOut) throw TFailure{"out of memory"};
    if (FCopy) {
      Check(avcodec_parameters_copy(FVideoOut->codecpar, vin->codecpar), "copying the video's parameters");
      FVideoOut->codecpar->codec_tag = 0;
      FVideoOut->time_base = vin->time_base;
      FVideoOut->avg_frame_rate = vin->avg_frame_rate;
      FVideoOut->sample_aspect_ratio = vin->sample_aspect_ratio;
    } else {
      OpenVideoEncoder();
    }
    OpenAudioEncoder();
    // Under a temporary name beside the output; renamed when complete.
    std::string dir = FJob.OutPath.substr(0, FJob.OutPath.rfind('/') + 1);
    std::string base = FJob.OutPath.substr(FJob.OutPath.rfind('/') + 1);
    FTemp = (dir.empty() ? std::string("./") : dir) + "." + base + ".partial-XXXXXX";
    int fd = ::mkstemp(FTemp.data());
    if (fd < 0) {
      std::string why = std::strerror(errno);
      FTemp.clear();
      throw TFailure{"cannot write in the folder of " + FJob.OutPath + ": " + why};
    }
    ::close(fd);
    rc = avio_open(&FOut->pb, FTemp.c_str(), AVIO_FLAG_WRITE);
    if (rc < 0) throw TFailure{"cannot write " + FJob.OutPath + ": " + AvError(rc)};
    rc = avformat_write_header(FOut, nullptr);
    if (rc < 0) throw TFailure{"cannot write " + FJob.OutPath + ": " + AvError(rc)};
  }

  void OpenVideoEncoder() {
    const AVStream* vin = FVideoIn.Ctx->streams[FVideoStream];
    OpenDecoder(FVideoDec, vin);
    const AVCodec* enc = avcodec_find_encoder_by_name("libx264");
    if (!enc || avformat_query_codec(FOut->oformat, enc->id, FF_COMPLIANCE_NORMAL) != 1)
      enc = avcodec_find_encoder(FOut->oformat->video_codec);
    if (!enc) throw TFailure{"no video encoder for " + FJob.OutPath};
    FVideoEnc.Ctx = avcodec_alloc_context3(enc);
    if (!FVideoEnc.Ctx) throw TFailure{"out of memory"};
    AVRational fps = vin->avg_frame_rate.num > 0 ? vin->avg_frame_rate : vin->r_frame_rate;
    if (fps.num <= 0 || fps.den <= 0 || av_q2d(fps) > 240) fps = AVRational{25, 1};
    FFps = fps;
    AVCodecContext* e = FVideoEnc.Ctx;
    e->width = FVideoDec.Ctx->width;
    e->height = FVideoDec.Ctx->height;
    e->sample_aspect_ratio = FVideoDec.Ctx->sample_aspect_ratio;
    e->time_base = av_inv_q(fps);
    e->framerate = fps;
    e->pix_fmt = AV_PIX_FMT_YUV420P;
    e->gop_size = int(std::lround(av_q2d(fps) * 2));
    if (FOut->oformat->flags & AVFMT_GLOBALHEADER) e->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (std::string(enc->name) == "libx264") {
      av_opt_set(e->priv_data, "preset", "veryfast", 0);
      av_opt_set(e->priv_data, "crf", "20", 0);
    } else {
      e->bit_rate = 4000000;
    }
    Check(avcodec_open2(e, enc, nullptr), std::string("opening the video encoder ") + enc->name);
    Check(avcodec_parameters_from_context(FVideoOut->codecpar, e), "video encoder parameters");
    FVideoOut->time_base = e->time_base;
    FVideoOut->avg_frame_rate = fps;
    // The decoder's pictures become the encoder's pixel format through a filter graph.
    FGraph.G = avfilter_graph_alloc();
    if (!FGraph.G) throw TFailure{"out of memory"};
    char args[256];
    std::snprintf(args, sizeof args, "video_size=%dx%d:pix_fmt=%d:time_base=%d/%d:pixel_aspect=%d/%d",
                  FVideoDec.Ctx->width, FVideoDec.Ctx->height, int(FVideoDec.Ctx->pix_fmt), vin->time_base.num,
                  vin->time_base.den, std::max(0, FVideoDec.Ctx->sample_aspect_ratio.num),
                  std::max(1, FVideoDec.Ctx->sample_aspect_ratio.den));
    Check(avfilter_graph_create_filter(&FGraph.Src, avfilter_get_by_name("buffer"), "in", args, nullptr, FGraph.G),
          "picture filter");
    Check(avfilter_graph_create_filter(&FGraph.Sink, avfilter_get_by_name("buffersink"), "out", nullptr, nullptr,
                                       FGraph.G),
          "picture filter");
    AVFilterContext* format = nullptr;
    Check(avfilter_graph_create_filter(&format, avfilter_get_by_name("format"), "format", "pix_fmts=yuv420p",
                                       nullptr, FGraph.G),
          "picture filter");
    Check(avfilter_link(FGraph.Src, 0, format, 0), "picture filter");
    Check(avfilter_link(format, 0, FGraph.Sink, 0), "picture filter");
    Check(avfilter_graph_config(FGraph.G, nullptr), "picture filter");
  }

  void OpenAudioEncoder() {
    const AVCodec* aac = avcodec_find_encoder(AV_CODEC_ID_AAC);
    if (!aac) throw TFailure{"no AAC encoder"};
    FAudioEnc.Ctx = avcodec_alloc_context3(aac);
    if (!FAudioEnc.Ctx) throw TFailure{"out of memory"};
    AVCodecContext* a = FAudioEnc.Ctx;
    a->sample_fmt = AV_SAMPLE_FMT_FLTP;
    a->sample_rate = FOutRate;
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    Check(av_channel_layout_copy(&a->ch_layout, &stereo), "audio encoder");
    a->bit_rate = FJob.AudioBitRate;
    a->time_base = AVRational{1, FOutRate};
    if (FOut->oformat->flags & AVFMT_GLOBALHEADER) a->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    Check(avcodec_open2(a, aac, nullptr), "opening the AAC encoder");
    FAudioOut = avformat_new_stream(FOut, nullptr);
    if (!FAudioOut) throw TFailure{"out of memory"};
    Check(avcodec_parameters_from_context(FAudioOut->codecpar, a), "audio encoder parameters");
    FAudioOut->time_base = a->time_base;
    FAudioTotal = std::int64_t(std::llround((FJob.End - FJob.Start) * FOutRate));
  }

  // ---- writing ----
  void Write() {
    const double total = FJob.End - FJob.Start;
    if (FCopy) StartCopy();
    bool audioDone = false, videoDone = false;
    double audioTime = 0, videoTime = 0, reported = -1;
    while (!audioDone || !videoDone) {
      if (!audioDone && (videoDone || audioTime <= videoTime)) {
        audioDone = !WriteAudioFrame(audioTime);
      } else {
        videoDone = !(FCopy ? CopyVideoPacket(videoTime) : WriteVideoFrame(videoTime));
      }
      double done = std::min(audioDone ? total : audioTime, videoDone ? total : videoTime) / total;
      if (FJob.Progress && done - reported >= 0.01) {
        reported = done;
        FJob.Progress(std::min(1.0, done));
      }
    }
    if (FJob.Progress) FJob.Progress(1.0);
  }

  void Send(AVCodecContext* enc, AVFrame* frame, AVStream* stream) {
    int rc = avcodec_send_frame(enc, frame);
    Check(rc, "encoding");
    TPacket pkt;
    for (;;) {
      rc = avcodec_receive_packet(enc, pkt.P);
      if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return;
      Check(rc, "encoding");
      pkt.P->stream_index = stream->index;
      av_packet_rescale_ts(pkt.P, enc->time_base, stream->time_base);
      WritePacket(pkt.P);
    }
  }

  void WritePacket(AVPacket* p) {
    int rc = av_interleaved_write_frame(FOut, p);
    if (rc < 0) throw TFailure{"writing " + FJob.OutPath + " failed: " + AvError(rc)};
  }

  // One frame of mixed sound; false once all of it is written (the encoder flushed).
  bool WriteAudioFrame(double& time) {
    AVCodecContext* a = FAudioEnc.Ctx;
    if (FAudioDone >= FAudioTotal) {
      Send(a, nullptr, FAudioOut);
      time = double(FAudioTotal) / FOutRate;
      return false;
    }
    const int size = a->frame_size > 0 ? a->frame_size : 1024;
    const bool smallLast = a->codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME;
    int n = int(std::min<std::int64_t>(size, FAudioTotal - FAudioDone));
    const int samples = smallLast ? n : size;
    TFrame frame;
    frame.F->nb_samples = samples;
    frame.F->format = a->sample_fmt;
    frame.F->sample_rate = a->sample_rate;
    Check(av_channel_layout_copy(&frame.F->ch_layout, &a->ch_layout), "audio frame");
    Check(av_frame_get_buffer(frame.F, 0), "audio frame");
    auto* left = reinterpret_cast<float*>(frame.F->data[0]);
    auto* right = reinterpret_cast<float*>(frame.F->data[1]);
    std::fill_n(left, samples, 0.0f);
    std::fill_n(right, samples, 0.0f);
    Mix(FAudioDone, n, left, right);
    frame.F->pts = FAudioDone;
    FAudioDone += n;
    Send(a, frame.F, FAudioOut);
    time = double(FAudioDone) / FOutRate;
    return true;
  }

  // Samples [first, first + n) of the cover.
  void Mix(std::int64_t first, int n, float* left, float* right) {
    const float voiceGain = float(std::pow(10.0, FJob.VoiceGainDb / 20));
    const float backingGain = float(std::pow(10.0, FJob.BackingGainDb / 20));
    FVoiceBuf.resize(std::size_t(n));
    FVoice->Pull(FVoiceBuf.data(), n);
    FBackBuf.assign(2 * std::size_t(n), 0.0f);
    for (int i = 0; i < n && FBacking;) {
      const double t = FJob.Start + double(first + i) / FOutRate;
      const int piece = PieceAt(FJob.Pieces, t);
      // The run ends where the piece (or the pause) does.
      double until = FJob.End;
      if (piece >= 0) {
        until = FJob.Pieces[std::size_t(piece)].TakeTo;
      } else {
        for (const auto& p : FJob.Pieces)
          if (p.TakeFrom > t) {
            until = p.TakeFrom;
            break;
          }
      }
      int run = int(std::clamp<std::int64_t>(std::llround(std::ceil((until - FJob.Start) * FOutRate)) - (first + i), 1,
                                             n - i));
      if (piece >= 0) {
        const TPiece& p = FJob.Pieces[std::size_t(piece)];
        FBacking->Read(p.VideoFrom + (t - p.TakeFrom), run, FBackBuf.data() + 2 * i);
      }
      i += run;
    }
    for (int i = 0; i < n; ++i) {
      float bl = FBackBuf[2 * std::size_t(i)] * backingGain, br = FBackBuf[2 * std::size_t(i) + 1] * backingGain;
      switch (FJob.Backing) {
        case TBacking::Heard: {
          const double t = FJob.Start + double(first + i) / FOutRate;
          br *= float(GainAt(FJob.RightGain, t));
          break;
        }
        case TBacking::Left: br = bl; break;
        case TBacking::Right: bl = br; break;
        case TBacking::Stereo: break;
        case TBacking::None: bl = br = 0; break;
      }
      const float v = FVoiceBuf[std::size_t(i)] * voiceGain;
      left[i] = std::clamp(bl + v, -1.0f, 1.0f);
      right[i] = std::clamp(br + v, -1.0f, 1.0f);
    }
  }

  // -- the video stream copied: from the keyframe at or before the start, with the
  //    start at time 0 (earlier packets get negative times: the container's edit list
  //    or its time offset skips them) --
  void StartCopy() {
    const TPiece& p = FJob.Pieces.front();
    const AVStream* vin = FVideoIn.Ctx->streams[FVideoStream];
    FCopyFrom = std::max(0.0, p.VideoFrom + (FJob.Start - p.TakeFrom));
    FCopyTo = FCopyFrom + (FJob.End - FJob.Start);
    std::int64_t start = vin->start_time == AV_NOPTS_VALUE ? 0 : vin->start_time;
    FCopyOffset = Stamp(FCopyFrom, vin->time_base) + start;
    Check(av_seek_frame(FVideoIn.Ctx, FVideoStream, FCopyOffset, AVSEEK_FLAG_BACKWARD), "seeking in the video");
    FSeenKey = false;
  }

  bool CopyVideoPacket(double& time) {
    const AVStream* vin = FVideoIn.Ctx->streams[FVideoStream];
    TPacket pkt;
    for (;;) {
      int rc = av_read_frame(FVideoIn.Ctx, pkt.P);
      if (rc == AVERROR_EOF) return false;
      Check(rc, "reading the video");
      if (pkt.P->stream_index != FVideoStream) {
        av_packet_unref(pkt.P);
        continue;
      }
      if (!FSeenKey && !(pkt.P->flags & AV_PKT_FLAG_KEY)) {
        av_packet_unref(pkt.P);
        continue;
      }
      FSeenKey = true;
      std::int64_t dts = pkt.P->dts != AV_NOPTS_VALUE ? pkt.P->dts : pkt.P->pts;
      if (dts != AV_NOPTS_VALUE && Seconds(dts - FCopyOffset, vin->time_base) >= FCopyTo - FCopyFrom) return false;
      if (pkt.P->pts != AV_NOPTS_VALUE) pkt.P->pts -= FCopyOffset;
      if (pkt.P->dts != AV_NOPTS_VALUE) pkt.P->dts -= FCopyOffset;
      time = dts == AV_NOPTS_VALUE ? time : Seconds(dts - FCopyOffset, vin->time_base);
      pkt.P->stream_index = FVideoOut->index;
      pkt.P->pos = -1;
      av_packet_rescale_ts(pkt.P, vin->time_base, FVideoOut->time_base);
      WritePacket(pkt.P);
      return true;
    }
  }

  // -- the picture encoded again, frame by frame along the timeline --
  bool WriteVideoFrame(double& time) {
    const double total = FJob.End - FJob.Start;
    const double step = 1 / av_q2d(FFps);
    const double t = double(FFrameIndex) * step;
    if (t >= total - 1e-9) {
      if (!FVideoFlushed) {
        Send(FVideoEnc.Ctx, nullptr, FVideoOut);
        FVideoFlushed = true;
      }
      time = total;
      return false;
    }
    const double takeTime = FJob.Start + t;
    const int piece = PieceAt(FJob.Pieces, takeTime);
    if (piece >= 0) {
      const TPiece& p = FJob.Pieces[std::size_t(piece)];
      PictureAt(p.VideoFrom + (takeTime - p.TakeFrom), step);
    }
    // Through a pause (or before the first picture) the last picture holds.
    if (FPicture.F->data[0]) {
      TFrame out;
      Check(av_frame_ref(out.F, FPicture.F), "picture");
      out.F->pts = FFrameIndex;
      out.F->pict_type = AV_PICTURE_TYPE_NONE;
      Send(FVideoEnc.Ctx, out.F, FVideoOut);
    }
    ++FFrameIndex;
    time = t + step;
    return true;
  }

  // Makes FPicture the video's picture shown at pos.
  void PictureAt(double pos, double step) {
    const AVStream* vin = FVideoIn.Ctx->streams[FVideoStream];
    const double startTime = vin->start_time == AV_NOPTS_VALUE ? 0 : Seconds(vin->start_time, vin->time_base);
    if (FDecodedKnown && (pos < FPictureTime - step || pos > FPictureTime + 3.0)) FDecodedKnown = false;
    if (!FDecodedKnown) {
      Check(av_seek_frame(FVideoIn.Ctx, FVideoStream, Stamp(std::max(0.0, pos) + startTime, vin->time_base),
                          AVSEEK_FLAG_BACKWARD),
            "seeking in the video");
      avcodec_flush_buffers(FVideoDec.Ctx);
      FNextPicture.reset();
      FVideoEnd = false;
      FDecodedKnown = true;
      FPictureTime = -1e18;
    }
    // Decode on while the next picture is due by pos.
    for (;;) {
      if (!FNextPicture && !FVideoEnd) FNextPicture = DecodePicture();
      if (!FNextPicture) return;
      double at = Seconds(FNextPicture->F->pts, vin->time_base) - startTime;
      if (FPicture.F->data[0] && at > pos + step / 2) return;
      av_frame_unref(FPicture.F);
      av_frame_move_ref(FPicture.F, FNextPicture->F);
      FPictureTime = at;
      FNextPicture.reset();
    }
  }

  // The next decoded picture in the encoder's pixel format, or nothing at the end.
  std::unique_ptr<TFrame> DecodePicture() {
    TPacket pkt;
    TFrame decoded;
    for (;;) {
      auto out = std::make_unique<TFrame>();
      int rc = av_buffersink_get_frame(FGraph.Sink, out->F);
      if (rc >= 0) return out;
      if (rc != AVERROR(EAGAIN) && rc != AVERROR_EOF) Check(rc, "picture filter");
      rc = avcodec_receive_frame(FVideoDec.Ctx, decoded.F);
      if (rc == 0) {
        decoded.F->pts = decoded.F->best_effort_timestamp;
        Check(av_buffersrc_add_frame_flags(FGraph.Src, decoded.F, AV_BUFFERSRC_FLAG_KEEP_REF), "picture filter");
        av_frame_unref(decoded.F);
        continue;
      }
      if (rc == AVERROR_EOF) {
        FVideoEnd = true;
        return nullptr;
      }
      if (rc != AVERROR(EAGAIN)) Check(rc, "decoding the video");
      FeedDecoder(FVideoIn.Ctx, FVideoDec.Ctx, pkt.P, FVideoStream, "the video");
    }
  }

  void Finish() {
    int rc = av_write_trailer(FOut);
    if (rc < 0) throw TFailure{"writing " + FJob.OutPath + " failed: " + AvError(rc)};
    rc = avio_closep(&FOut->pb);
    if (rc < 0) throw TFailure{"writing " + FJob.OutPath + " failed: " + AvError(rc)};
    int fd = ::open(FTemp.c_str(), O_RDONLY | O_CLOEXEC);
    bool synced = fd >= 0 && ::fsync(fd) == 0;
    if (fd >= 0) ::close(fd);
    if (!synced) throw TFailure{"writing " + FJob.OutPath + " failed: " + std::strerror(errno)};
    ::chmod(FTemp.c_str(), 0644);
    if (::rename(FTemp.c_str(), FJob.OutPath.c_str()) != 0)
      throw TFailure{"cannot put " + FJob.OutPath + " in place: " + std::strerror(errno)};
    FTemp.clear();
  }

  void Discard() {
    if (FOut) {
      if (FOut->pb) avio_closep(&FOut->pb);
      avformat_free_context(FOut);
      FOut = nullptr;
    }
    if (!FTemp.empty()) ::unlink(FTemp.c_str());
    FTemp.clear();
  }

  TJob FJob;
  TInput FVideoIn;
  int FVideoStream = -1;
  int FOutRate = 48000;
  std::unique_ptr<TBackingSound> FBacking;
  std::unique_ptr<TVoice> FVoice;
  AVFormatContext* FOut = nullptr;
  std::string FTemp;
  AVStream* FVideoOut = nullptr;
  AVStream* FAudioOut = nullptr;
  TCodec FAudioEnc;
  std::int64_t FAudioTotal = 0;
  std::int64_t FAudioDone = 0;
  std::vector<float> FVoiceBuf, FBackBuf;
  bool FCopy = false;
  double FCopyFrom = 0, FCopyTo = 0;
  std::int64_t FCopyOffset = 0;
  bool FSeenKey = false;
  TCodec FVideoDec, FVideoEnc;
  TGraph FGraph;
  AVRational FFps{25, 1};
  std::int64_t FFrameIndex = 0;
  bool FVideoFlushed = false;
  TFrame FPicture;
  std::unique_ptr<TFrame> FNextPicture;
  double FPictureTime = 0;
  bool FDecodedKnown = false;
  bool FVideoEnd = false;
};

}  // namespace

TResult Export(const TJob& job) {
  av_log_set_level(AV_LOG_ERROR);
  TExporter e(job);
  return e.Run();
}

bool ProbeVideo(const std::string& path, std::string& error) {
  av_log_set_level(AV_LOG_QUIET);
  try {
    TInput in;
    in.Open(path);
    if (av_find_best_stream(in.Ctx, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0) < 0)
      throw TFailure{"the video " + path + " has no picture"};
    return true;
  } catch (const TFailure& f) {
    error = f.What;
    return false;
  }
}

}  // namespace cover
