#pragma once
// The three reply kinds of the game-server query protocol the browser understands, and the
// player request answering a challenge. Pure functions of the datagram: hostile, short or
// oversized input gives empty texts and zeros where the data is missing, never an error.
#include "base/text.h"
#include "browser/server_info.h"

// FF FF FF FF 'm': the old GoldSource information reply.
bool IsInfoReply(const Bytes& datagram);
// FF FF FF FF 'A': a challenge number for the player request.
bool IsChallengeReply(const Bytes& datagram);
// FF FF FF FF 'D': a player list.
bool IsPlayerReply(const Bytes& datagram);

ServerInfo ParseInfoReply(const Bytes& datagram);
// FF FF FF FF 'U' and the challenge bytes of the reply, unchanged (fewer if the reply is short).
Bytes BuildPlayerRequest(const Bytes& challengeReply);
// As many rows as the reply's count byte says, whether or not that many players are present.
PlayerRows ParsePlayerReply(const Bytes& datagram);

// Whole seconds as the time of day they reach from midnight: HH:MM:SS, wrapping every 24
// hours, negative values counting back from midnight.
Text FormatPlayTime(int seconds);
