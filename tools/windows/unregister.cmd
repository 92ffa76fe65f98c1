@echo off
rem Removes the registration of r58046.dll, the 32-bit question module beside this file,
rem with the 32-bit regsvr32 (on 64-bit Windows the one in SysWOW64). Run it from an
rem administrator's command prompt. Arguments are passed on to regsvr32 (/s: no message box).
setlocal
set "regsvr32=%windir%\System32\regsvr32.exe"
if exist "%windir%\SysWOW64\regsvr32.exe" set "regsvr32=%windir%\SysWOW64\regsvr32.exe"
"%regsvr32%" /u %* "%~dp0r58046.dll"
exit /b %errorlevel%
