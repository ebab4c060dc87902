@echo off
rem Puts the batch recorder into a vando tool folder: the tool is renamed to
rem vando_original.exe and the recorder takes its name vando.exe; the runner
rem is copied beside them. Run it in the tool's folder or give the folder.
rem Each check comes before the first change, so a refusal changes nothing.
rem No parenthesised blocks: a folder such as "C:\Program Files (x86)\vando"
rem would end them early.
setlocal EnableExtensions DisableDelayedExpansion

set "SOURCE=%~dp0"
set "TOOLDIR=%CD%"
if not "%~1"=="" set "TOOLDIR=%~f1"
if "%TOOLDIR:~-1%"=="\" set "TOOLDIR=%TOOLDIR:~0,-1%"

if not exist "%SOURCE%batchrecorder.exe" goto :no_recorder
if not exist "%TOOLDIR%\" goto :no_folder
if exist "%TOOLDIR%\vando_original.exe" goto :already_installed
if not exist "%TOOLDIR%\vando.exe" goto :no_tool

set "PROBE=%TOOLDIR%\vando_install_check.tmp"
copy /y nul "%PROBE%" >nul 2>&1
if not exist "%PROBE%" goto :not_writable
del "%PROBE%" >nul 2>&1

move "%TOOLDIR%\vando.exe" "%TOOLDIR%\vando_original.exe" >nul 2>&1
if not exist "%TOOLDIR%\vando_original.exe" goto :rename_failed
copy /y "%SOURCE%batchrecorder.exe" "%TOOLDIR%\vando.exe" >nul 2>&1
if errorlevel 1 goto :copy_failed
if not exist "%TOOLDIR%\vando.exe" goto :copy_failed

rem Run from the tool's folder, the runner is in place already.
if /i "%SOURCE%"=="%TOOLDIR%\" goto :installed
if not exist "%SOURCE%vando_batchrunner.exe" goto :installed
copy /y "%SOURCE%vando_batchrunner.exe" "%TOOLDIR%\vando_batchrunner.exe" >nul 2>&1
if errorlevel 1 goto :runner_not_copied

:installed
echo Batch tool installed in "%TOOLDIR%".
echo Every start of vando.exe is now recorded in vandobatch.txt; vando_batchrunner.exe builds the requests.
exit /b 0

:no_recorder
>&2 echo install: batchrecorder.exe is missing beside install.cmd in "%SOURCE%". Unpack the whole package first.
exit /b 2
:no_folder
>&2 echo install: the folder "%TOOLDIR%" does not exist. Nothing was changed.
exit /b 3
:already_installed
>&2 echo install: "%TOOLDIR%\vando_original.exe" already exists, so the batch tool is installed already. Nothing was changed.
exit /b 4
:no_tool
>&2 echo install: there is no vando.exe in "%TOOLDIR%". Run install.cmd in the scenery tool's folder or give that folder. Nothing was changed.
exit /b 5
:not_writable
>&2 echo install: the folder "%TOOLDIR%" cannot be written. Nothing was changed.
exit /b 6
:rename_failed
>&2 echo install: vando.exe in "%TOOLDIR%" could not be renamed; it may be running. Nothing was changed.
exit /b 7
:copy_failed
rem A copy cut short by a full disk leaves a piece of the recorder behind.
del "%TOOLDIR%\vando.exe" >nul 2>&1
move "%TOOLDIR%\vando_original.exe" "%TOOLDIR%\vando.exe" >nul 2>&1
if not exist "%TOOLDIR%\vando.exe" goto :rollback_failed
>&2 echo install: the recorder could not be copied into "%TOOLDIR%"; vando.exe was given back its name. Nothing was changed.
exit /b 8
:rollback_failed
>&2 echo install: the recorder could not be copied into "%TOOLDIR%", and vando_original.exe could not be given back its name. Rename vando_original.exe to vando.exe by hand.
exit /b 9
:runner_not_copied
>&2 echo install: the recorder is in place in "%TOOLDIR%", but vando_batchrunner.exe could not be copied there; it may be running. Close it and copy vando_batchrunner.exe into that folder.
exit /b 10
