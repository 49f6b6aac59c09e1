@echo off
rem What the forge's Windows runner runs, natively, in the folder that
rem   cmake --install build/windows --component windows_runner --prefix FOLDER
rem made on Debian: every test program in FOLDER\tests, one after the other, then the install
rem check in every scenario (or in those named), then the PowerShell blocks of the administrators'
rem guide (run_guide.ps1), but under Wine. It fails when any of them fails, and when
rem there is no test program.
rem   run_on_windows.cmd FOLDER [SCENARIO...]
setlocal EnableDelayedExpansion
if "%~1"=="" (echo usage: run_on_windows.cmd FOLDER [SCENARIO...]& exit /b 2)
set "folder=%~f1"
set "here=%~dp0"
set scenarios=
:arguments
shift
if not "%~1"=="" (set "scenarios=!scenarios! %~1"& goto arguments)
set failed=
set count=0
pushd "%folder%\tests"
for %%p in (*.exe) do (
  set /a count+=1
  echo run_on_windows: %%p
  "%%~fp"
  if errorlevel 1 set "failed=!failed! %%p"
)
popd
if %count%==0 (echo run_on_windows: no test program in %folder%\tests& exit /b 1)
echo run_on_windows: install_check.exe%scenarios%
"%folder%\install_check.exe"%scenarios%
if errorlevel 1 set "failed=%failed% install_check.exe"
rem Wine has a PowerShell that runs nothing.
reg query HKLM\Software\Wine >nul 2>&1
if not errorlevel 1 (echo run_on_windows: under Wine, whose PowerShell runs nothing: the guide's PowerShell blocks are not run& goto report)
powershell -NoProfile -ExecutionPolicy Bypass -File "%here%run_guide.ps1" "%folder%\deploying.md" "%folder%"
if errorlevel 1 set "failed=%failed% run_guide.ps1"
:report
if defined failed (echo run_on_windows: failed:%failed%& exit /b 1)
echo run_on_windows: passed
