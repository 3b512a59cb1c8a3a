{ Compiles a help project (.hhp) into its .chm, as chmcmd does.

  Built by tools/build_manual.sh together with a copy of the compiler's
  chmfilewriter unit in which a context number's topic is stored as the
  project-relative name of its page. The unit as shipped stores the page's
  absolute path on the build machine, which no help viewer can find inside
  the file, so that F1 (a help request by context number) would open nothing.

  Prints errors and warnings; exits 1 after an error. }
program chmbuild;
{$mode objfpc}{$H+}
uses {$ifdef unix}cthreads, cwstring,{$endif} Classes, SysUtils, chmfilewriter;

procedure ReportError(Project: TChmProject; errorkind: TChmProjectErrorKind; msg: String; detaillevel: integer = 0);
begin
  if errorkind in [chmerror, chmwarning] then
    Writeln(ChmErrorKindText[errorkind], ': ', msg);
  if errorkind = chmerror then
    ExitCode := 1;
end;

var
  project: TChmProject;
  output: TFileStream;
begin
  if ParamCount <> 1 then
  begin
    Writeln('usage: chmbuild project.hhp');
    Halt(2);
  end;
  project := TChmProject.Create;
  project.OnError := @ReportError;
  project.ScanHtmlContents := True;
  project.LoadFromHhp(ParamStr(1), False);
  output := TFileStream.Create(IncludeTrailingPathDelimiter(project.ProjectDir) + project.OutputFileName, fmCreate);
  try
    project.WriteChm(output);
  finally
    output.Free;
    project.Free;
  end;
end.
