# Pennova writing template (our own text)
id: 401
kind: high
category: 报告|Reports
name: 调查报告|Survey report
description: 适用于课程作业或竞赛中的调查报告。依次写调查目的与方法、主要发现、原因分析和建议，数据要具体。
title: A Survey on [标题中的调查主题，如 How College Students Spend Their Free Time] || 关于[标题中的调查主题，如 How College Students Spend Their Free Time]的调查

[block]
The purpose of this survey was to find out [调查主题，如 how college students spend their free time]. || 本次调查的目的是了解[调查主题，如 how college students spend their free time]。
We asked [人数，如 200] students from [范围，如 five colleges] to answer a short questionnaire. || 我们请来自[范围，如 five colleges]的[人数，如 200]名学生填写了一份简短的问卷。
[alternative]
This report presents the results of a survey on [调查主题，如 how college students spend their free time]. || 本报告介绍了一项关于[调查主题，如 how college students spend their free time]的调查结果。
The survey was carried out in [时间，如 April] among [人数，如 200] students. || 调查于[时间，如 April]在[人数，如 200]名学生中进行。

[block]
The results show that [发现一，如 most students spend over three hours a day on their phones]. || 结果显示，[发现一，如 most students spend over three hours a day on their phones]。
About [比例，如 40 percent] of them [发现二，如 do sports at least twice a week]. || 大约[比例，如 40 percent]的人[发现二，如 do sports at least twice a week]。
Only a few students [发现三，如 read books for pleasure]. || 只有少数学生[发现三，如 read books for pleasure]。
[alternative]
Three main findings came out of the survey. || 调查得出了三个主要发现。
First, [发现一，如 phones take up most of students' free time]. || 第一，[发现一，如 phones take up most of students' free time]。
Second, [发现二，如 sports are more popular among boys than girls]. || 第二，[发现二，如 sports are more popular among boys than girls]。

[block]
There may be several reasons for these results. || 这些结果可能有几个原因。
Many students say that [原因，如 they feel tired after class and want to relax]. || 许多学生说[原因，如 they feel tired after class and want to relax]。
Others point out that [原因，如 there are not enough clubs on campus]. || 另一些人指出[原因，如 there are not enough clubs on campus]。

[block]
Based on the survey, we make the following suggestions. || 根据调查，我们提出以下建议。
The school could [建议，如 open more clubs and sports fields]. || 学校可以[建议，如 open more clubs and sports fields]。
Students themselves could [建议二，如 plan their free time more wisely]. || 学生自己可以[建议二，如 plan their free time more wisely]。

[common]
The survey was done online. || 调查是在网上进行的。
The figures are shown in the table below. || 数据如下表所示。
More than half of those asked agreed with this idea. || 超过一半的受访者同意这个想法。
The results were different from what we expected. || 结果与我们的预期不同。
Boys and girls gave very different answers. || 男生和女生给出了截然不同的答案。
Further research is needed on this question. || 这个问题需要进一步研究。
The survey has some limits. || 这次调查有一定的局限性。
We hope these findings will be useful to the school. || 我们希望这些发现对学校有用。
