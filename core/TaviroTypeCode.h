// Entry header of the common module: the data store (data directory, shared-file access,
// record files, counters), the accounts with their rights, the organisation register (units,
// employees, moving, import) and the text forms of the data files.
#pragma once

#include "Accounts.h"
#include "Clock.h"
#include "Counters.h"
#include "DataDirectory.h"
#include "IoError.h"
#include "RecordFiles.h"
#include "RecordKeys.h"
#include "RecordText.h"
#include "Register.h"
#include "SharedFiles.h"
#include "TextCodec.h"
#include "WaitNotifier.h"
