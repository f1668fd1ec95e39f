// SPDX-License-Identifier: MIT
// The least a C++ program costs to start and exit, built as zorbal-cli is: what its start-up is
// measured against (cli_startup_bench).
int main() {
    return 0;
}
