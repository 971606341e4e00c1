// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The pictures themselves come from the generated resource file; this unit
// only gives the library a body of its own.
namespace quintor_resources {
int Linked() { return 1; }
} // namespace quintor_resources
