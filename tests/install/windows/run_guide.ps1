# The administrators' guide's PowerShell commands, run as they stand on a real Windows (the
# forge's Windows runner, as an administrator): every block of the guide marked powershell, in
# order, in the folder holding the downloads under their published names. A block must not fail,
# and a number it gives back is an exit status, which must be 0. Once they have all run, nothing
# of the program may be installed.
#   run_guide.ps1 GUIDE FOLDER
param(
  [Parameter(Mandatory = $true)] [string] $Guide,
  [Parameter(Mandatory = $true)] [string] $Folder
)
$ErrorActionPreference = 'Stop'
$text = Get-Content -Raw -Encoding UTF8 -LiteralPath $Guide
$blocks = @([regex]::Matches($text, '(?ms)^```powershell\r?\n(.*?)^```') |
  ForEach-Object { $_.Groups[1].Value })
if ($blocks.Count -eq 0) {
  Write-Output "run_guide: FAIL: no powershell block in $Guide"
  exit 1
}
Set-Location -LiteralPath $Folder
$failed = 0
foreach ($block in $blocks) {
  Write-Output "run_guide: $($block.Trim())"
  try {
    foreach ($value in @(& ([scriptblock]::Create($block)))) {
      Write-Output "  $value"
      if ($value -is [int] -and $value -ne 0) {
        Write-Output "run_guide: FAIL: status $value"
        $failed++
      }
    }
  } catch {
    Write-Output "run_guide: FAIL: $_"
    $failed++
  }
}
$keys = 'HKLM:\Software\io.github.torvelin.TorvelinHexagon',
  'HKLM:\Software\Microsoft\Windows\CurrentVersion\Uninstall\io.github.torvelin.TorvelinHexagon'
foreach ($key in $keys) {
  if (Test-Path -LiteralPath $key) {
    Write-Output "run_guide: FAIL: $key is left"
    $failed++
  }
}
if ($failed -gt 0) {
  exit 1
}
Write-Output "run_guide: the guide's $($blocks.Count) PowerShell blocks ran, and nothing of the program is left"
