// Start-up fix-up of the working directory.
#pragma once

class CSystem;

// A program started in a build-output folder (last path segment DEBUG or
// RELEASE, any letter case) moves to the parent folder, where its data lives,
// and shows that folder's path as its first title.
void LeaveBuildOutputDirectory(CSystem& system);
