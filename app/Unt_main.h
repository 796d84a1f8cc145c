#pragma once
// The main window: three format choices, the output volume slider, the record and stop
// buttons, the open-video button and the embedded video player. The recording state
// lives in the two buttons' Enabled and in the media player.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/windows/Forms.h"

class TLabel;
class TTrackBar;
class TMediaPlayer;
class TWindowsMediaPlayer;
class TbsSkinButton;
class TbsSkinRadioGroup;
class TbsSkinData;
class TbsSkinForm;
class TbsCompressedStoredSkin;
class TbsSkinOpenDialog;
class TCoverRecorder;

// Posted to the main window: a signal (word parameter) that ends the session during a
// take, and the rescue of takes left behind, run once the window shows.
constexpr UINT WM_TAKE_ENDSIGNAL = 0x8000 + 1;
constexpr UINT WM_RESCUE_LEFT_TAKES = 0x8000 + 2;

class TForm1 : public TForm {
 public:
  explicit TForm1(TComponent* AOwner);
  // Built from layoutText instead of the compiled-in layout (the same window with, say,
  // a skin stored in it); the creation handler runs all the same.
  TForm1(TComponent* AOwner, const std::string& layoutText);
  ~TForm1() override;
  std::string ClassName() const override { return "TForm1"; }

  // Components, bound by name after the stored layout is read.
  TbsSkinRadioGroup* ssd = nullptr;
  TbsSkinRadioGroup* syz = nullptr;
  TbsSkinRadioGroup* spl = nullptr;
  TLabel* Label1 = nullptr;
  TTrackBar* TrackBar1 = nullptr;
  TbsSkinButton* Btstart = nullptr;
  TbsSkinButton* Btstop = nullptr;
  TbsSkinButton* bsSkinButton1 = nullptr;
  TWindowsMediaPlayer* WindowsMediaPlayer1 = nullptr;
  TMediaPlayer* MediaPlayer1 = nullptr;
  TbsSkinData* bsSkinData1 = nullptr;
  TbsSkinForm* bsSkinForm1 = nullptr;
  TbsCompressedStoredSkin* bsCompressedStoredSkin1 = nullptr;
  TbsSkinOpenDialog* bsDialog = nullptr;

  void FormCreate(TObject* Sender);
  void BtstartClick(TObject* Sender);
  void BtstopClick(TObject* Sender);
  void bsSkinButton1Click(TObject* Sender);
  void TrackBar1Change(TObject* Sender);
  void Createwav(std::uint16_t channels, std::uint16_t bitsPerSample, std::uint32_t samplesPerSec,
                 const std::string& fileName);

  // Temp.wav beside the executable, or in the user's music folder (made when missing)
  // when the executable's folder cannot be written, as in an installed copy.
  static std::string RecordingPath();
  // After a failed save: saves the take the device still holds under a new name, beside
  // the recording or else in the user's music folder. True when one of them took it;
  // where then names the file.
  bool RescueTake(std::string* where = nullptr);

  // Stops the take, saves it over the recording (or rescues it) and closes the device;
  // false when a step failed. where names the file that holds the take ("" when none).
  bool FinishTake(std::string& where);
  // The take ends with the program (why says how): saved as a stop saves it, without a
  // box; a line on standard error says where it went. The exit status: 0, or 1 when the
  // take stays in its journal for the next start.
  int EndTakeForSession(const std::string& why);

  // The folders a take may have been recorded in: the program's and the music folder.
  static std::vector<std::string> TakeFolders();
  // Takes that an earlier run left in these folders' journals become rescued files;
  // the user learns of them once, in a box, and on standard error.
  void RescueLeftTakes(const std::vector<std::string>& folders);
  // The timeline of a take made over a video, kept beside the saved take.
  TCoverRecorder* CoverRecorder() const { return FCover.get(); }

 protected:
  void Loaded() override;
  void WndProc(TMessage& Message) override;

 private:
  template <class T>
  T* Bind(const char* name);
  bool FEnding = false;  // the session end has begun
  std::shared_ptr<TCoverRecorder> FCover;
};

// Registers TForm1 and its handlers with the stored-layout registry.
void RegisterMainFormClass();
// Registers every class the main window's layout uses.
void RegisterProgramClasses();
