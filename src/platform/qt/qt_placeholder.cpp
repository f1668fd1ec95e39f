// SPDX-License-Identifier: MIT
// Qt implementations of the platform services.
namespace zorbal::platform::qt {}
