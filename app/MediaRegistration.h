#pragma once
// Registers the video file extensions with the media control interface's profile
// entries, so automatic device selection opens them with the video device.
void RegisterMediaExtensions();
